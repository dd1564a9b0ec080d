// Loaded first by the browser tests' copy of a map's page: keeps every error the page meets
// (a script's, a file that failed to load, anything written to the console as an error or a
// warning) for probe.js to report.
(function () {
  'use strict';
  var seen = window.probeConsole = [];
  window.addEventListener('error', function (e) {
    var t = e.target;
    seen.push(t && t !== window && (t.src || t.href) ? 'failed to load ' + (t.src || t.href) : 'error: ' + e.message);
  }, true);
  ['error', 'warn'].forEach(function (kind) {
    var original = console[kind];
    console[kind] = function () {
      seen.push(kind + ': ' + Array.prototype.join.call(arguments, ' '));
      return original.apply(console, arguments);
    };
  });
})();
