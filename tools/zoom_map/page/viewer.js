// The zoomable map's page: the tiles of tiles/Z/X/Y.png in a plane of image pixels, the place and
// zoom kept in the address's hash, the block under the pointer and the world's spawn where the
// map is seen from above. Everything it needs is in map.js and tiles.js, read as scripts, so the
// page works opened from disk.
(function () {
  'use strict';
  var facts = window.strandvaleMap, list = window.strandvaleTiles;
  var errors = window.strandvaleErrors = [];
  window.addEventListener('error', function (e) { errors.push(String(e.message)); });
  if (!facts || !list || !window.L) {
    document.body.textContent = 'The map\'s files are incomplete: make the map again.';
    return;
  }
  var deepest = list.deepest;
  var map = L.map('map', {
    crs: L.CRS.Simple, minZoom: 0, maxZoom: deepest + 1, zoomSnap: 1,
    fadeAnimation: false, attributionControl: false
  });
  // Image pixels to the map's plane and back, at the deepest level, where one unit is a pixel.
  function toLatLng(x, y) { return map.unproject([x, y], deepest); }
  function toPixel(latlng) { return map.project(latlng, deepest); }
  var bounds = L.latLngBounds(toLatLng(0, facts.height), toLatLng(facts.width, 0));

  var levels = list.levels.map(function (l) {
    var text = atob(l.bits), bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    return { across: l.across, down: l.down, bits: bytes };
  });
  function holds(z, x, y) {
    var l = levels[z];
    if (!l || x < 0 || y < 0 || x >= l.across || y >= l.down) return false;
    var i = y * l.across + x;
    return (l.bits[i >> 3] >> (i & 7) & 1) === 1;
  }
  // Only the tiles the map holds are asked for: a clear stretch costs no failed request.
  var Tiles = L.TileLayer.extend({
    createTile: function (coords, done) {
      if (holds(coords.z, coords.x, coords.y)) return L.TileLayer.prototype.createTile.call(this, coords, done);
      var empty = document.createElement('div');
      setTimeout(function () { done(null, empty); }, 0);
      return empty;
    }
  });
  var tiles = new Tiles('tiles/{z}/{x}/{y}.png', {
    tileSize: 256, minZoom: 0, maxZoom: deepest + 1, maxNativeZoom: deepest, noWrap: true,
    bounds: bounds, keepBuffer: 1
  });
  tiles.on('tileerror', function (e) { errors.push('tile ' + e.coords.z + '/' + e.coords.x + '/' + e.coords.y); });
  tiles.addTo(map);
  map.setMaxBounds(bounds.pad(0.5));

  // The place and zoom in the hash: #zoom/x/y, x and y the image pixel at the centre.
  function fromHash() {
    var m = /^#(-?\d+)\/(-?[\d.]+)\/(-?[\d.]+)$/.exec(window.location.hash);
    if (!m) return false;
    var z = Math.max(0, Math.min(deepest + 1, parseInt(m[1], 10)));
    map.setView(toLatLng(parseFloat(m[2]), parseFloat(m[3])), z, { animate: false });
    return true;
  }
  if (!fromHash()) map.fitBounds(bounds, { animate: false });
  map.on('moveend', function () {
    var c = toPixel(map.getCenter());
    var hash = '#' + map.getZoom() + '/' + Math.round(c.x) + '/' + Math.round(c.y);
    if (window.location.hash !== hash) history.replaceState(null, '', hash);
  });
  window.addEventListener('hashchange', fromHash);

  var b = facts.blocks;
  if (b) {
    // The block column under the pointer.
    var Box = L.Control.extend({
      onAdd: function () {
        var div = L.DomUtil.create('div', 'map-box');
        div.id = 'coords';
        return div;
      }
    });
    var box = new Box({ position: 'bottomleft' });
    box.addTo(map);
    var shown = document.getElementById('coords');
    map.on('mousemove', function (e) {
      var p = toPixel(e.latlng);
      if (p.x < 0 || p.y < 0 || p.x >= facts.width || p.y >= facts.height) { shown.textContent = ''; return; }
      var x = Math.floor(b.ax * p.x + b.bx * p.y + b.cx), z = Math.floor(b.az * p.x + b.bz * p.y + b.cz);
      shown.textContent = 'X ' + x + '  Z ' + z;
    });
    map.on('mouseout', function () { shown.textContent = ''; });
    if (facts.spawn) {
      // The spawn's column centre, back to the image.
      var sx = facts.spawn[0] + 0.5 - b.cx, sz = facts.spawn[1] + 0.5 - b.cz;
      var det = b.ax * b.bz - b.bx * b.az;
      if (det !== 0) {
        var px = (b.bz * sx - b.bx * sz) / det, py = (b.ax * sz - b.az * sx) / det;
        L.circleMarker(toLatLng(px, py), { radius: 7, color: '#fff', weight: 2, fillColor: '#d22', fillOpacity: 0.9 })
          .bindTooltip('Spawn (X ' + facts.spawn[0] + ', Z ' + facts.spawn[1] + ')')
          .addTo(map);
      }
    }
  }
  var title = L.control({ position: 'topright' });
  title.onAdd = function () {
    var div = L.DomUtil.create('div', 'map-box');
    div.textContent = document.title;
    return div;
  };
  title.addTo(map);
  window.strandvaleViewer = { map: map, tiles: tiles, toLatLng: toLatLng, toPixel: toPixel, deepest: deepest };
})();
