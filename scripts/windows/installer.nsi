; The Windows installer of Strandvale G, made with makensis by scripts/package-windows.sh.
; It installs for the current user (no administrator rights): the program, the two render tools,
; the world writer and the README in %LOCALAPPDATA%\Programs\Strandvale G; a Start-menu shortcut
; (and, when chosen, one on the desktop) that starts the program in its working folder
; %LOCALAPPDATA%\Strandvale G, where settings, jobs and images go; and an entry in "Apps &
; features" with the uninstaller. The uninstaller leaves the working folder alone.
; Defines given by the packaging script: VERSION (x.y), STAGE (the files), OUTFILE.
; A 64-bit installer, as the program is.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APP "Strandvale G"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\StrandvaleG"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "CompanyName" "${APP}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "${APP}" Main
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/strandvale-g.exe"
  File "${STAGE}/strandvale_g_renderer.exe"
  File "${STAGE}/strandvale_g_post_processor.exe"
  File "${STAGE}/strandvale-g-demo-world.exe"
  File "${STAGE}/README.txt"
  SetOutPath "$INSTDIR\map-viewer"
  File "${STAGE}/map-viewer/leaflet.js"
  File "${STAGE}/map-viewer/leaflet.css"
  File "${STAGE}/map-viewer/LICENSE.txt"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The working folder: the shortcuts start the program there.
  CreateDirectory "$LOCALAPPDATA\${APP}"
  SetOutPath "$LOCALAPPDATA\${APP}"
  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortCut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\strandvale-g.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\strandvale-g.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Desktop shortcut" Desktop
  SetShellVarContext current
  SetOutPath "$LOCALAPPDATA\${APP}"
  CreateShortCut "$DESKTOP\${APP}.lnk" "$INSTDIR\strandvale-g.exe"
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\strandvale-g.exe"
  Delete "$INSTDIR\strandvale_g_renderer.exe"
  Delete "$INSTDIR\strandvale_g_post_processor.exe"
  Delete "$INSTDIR\strandvale-g-demo-world.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\map-viewer\leaflet.js"
  Delete "$INSTDIR\map-viewer\leaflet.css"
  Delete "$INSTDIR\map-viewer\LICENSE.txt"
  RMDir "$INSTDIR\map-viewer"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
  RMDir "$SMPROGRAMS\${APP}"
  Delete "$DESKTOP\${APP}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The render cache is the renderer's own, not the player's: it goes with the program. The
  ; working folder, with the settings and images, stays.
  RMDir /r "$LOCALAPPDATA\${APP} Cache"
SectionEnd
