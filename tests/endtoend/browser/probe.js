// Put beside a zoomable map's index.html (as probe.html, the page with this script added) by the
// browser tests: waits for the tiles of the view, and writes what it found into <pre id="probe">
// as JSON. With ?px=X&py=Y it zooms one level past the deepest onto image pixel X, Y, moves the
// pointer there and reads the block the page shows; with ?bare=1 it hides the controls, for a
// screenshot of the map alone.
(function () {
  'use strict';
  var out = {};
  var params = new URLSearchParams(window.location.search);
  var v = window.strandvaleViewer;
  function done() {
    out.errors = (window.strandvaleErrors || []).concat(window.probeConsole || []);
    var pre = document.createElement('pre');
    pre.id = 'probe';
    pre.textContent = JSON.stringify(out);
    document.body.appendChild(pre);
  }
  if (!v) { out.failure = 'the page made no map'; done(); return; }
  if (params.get('bare')) {
    // The map alone, placed exactly as the hash says.
    var controls = document.querySelector('.leaflet-control-container');
    if (controls) controls.style.display = 'none';
    v.map.eachLayer(function (layer) { if (layer instanceof L.CircleMarker) v.map.removeLayer(layer); });
    v.map.setMaxBounds(null);
    window.dispatchEvent(new HashChangeEvent('hashchange'));
  }
  function tiles() {
    var shown = document.querySelectorAll('img.leaflet-tile'), loaded = 0, broken = 0;
    shown.forEach(function (i) { if (i.complete && i.naturalWidth === 256) loaded++; else broken++; });
    return { shown: shown.length, loaded: loaded, broken: broken };
  }
  function whenLoaded(next) {
    var go = function () { setTimeout(next, 100); };
    if (v.tiles.isLoading()) v.tiles.once('load', go); else go();
  }
  whenLoaded(function () {
    out.first = tiles();
    out.firstZoom = v.map.getZoom();
    v.map.eachLayer(function (layer) {
      if (layer instanceof L.CircleMarker) {
        var at = v.toPixel(layer.getLatLng());
        out.spawn = [at.x, at.y];
      }
    });
    if (!params.has('px')) { done(); return; }
    var px = parseFloat(params.get('px')), py = parseFloat(params.get('py'));
    v.map.setView(v.toLatLng(px, py), v.deepest + 1, { animate: false });
    whenLoaded(function () {
      out.deep = tiles();
      out.deepZoom = v.map.getZoom();
      var p = v.map.latLngToContainerPoint(v.toLatLng(px, py));
      var box = v.map.getContainer().getBoundingClientRect();
      v.map.getContainer().dispatchEvent(new MouseEvent('mousemove',
        { clientX: box.left + p.x, clientY: box.top + p.y, bubbles: true }));
      var shown = document.getElementById('coords');
      out.coords = shown ? shown.textContent : null;
      out.hash = window.location.hash;
      done();
    });
  });
})();
