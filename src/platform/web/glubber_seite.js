// The page around the game: it lays the picture out, shows the game's
// dialogs, plays its sounds and music, keeps its files in the browser's
// storage and loads its data. The browser backend (web_*.cpp) calls the
// functions of `glubber`; everything the player must read goes into the
// page, never only into the console.
'use strict';

var glubber = (function () {
  var B = 1024, H = 768;
  var param = new URLSearchParams(location.search);
  var element = function (id) { return document.getElementById(id); };

  var buehne = element('buehne');
  var bild = element('spiel');
  var ctxBild = bild.getContext('2d', { alpha: false });
  // The picture at 1:1 while the canvas shows it enlarged (faktor > 1).
  var quelle = document.createElement('canvas');
  quelle.width = B;
  quelle.height = H;
  var ctxQuelle = quelle.getContext('2d', { alpha: false });
  var faktor = 1;
  var ersterFrame = null;

  function hinweis(text) { element('hinweis').textContent = text; }

  function einstellung(name, vorgabe) {
    var wert = param.get(name);
    if (wert === null) return vorgabe;
    if (name === 'clock') return wert === 'virtual' ? 1 : 0;
    var zahl = Number(wert);
    return Number.isFinite(zahl) && zahl >= 0 && zahl <= 4294967295 ? (zahl | 0) : vorgabe;
  }

  // ------------------------------------------------------------ waits

  // Short waits through a message, which the browser does not stretch to
  // its 4 ms timer minimum; longer ones through a timer.
  var kanal = new MessageChannel();
  var wartende = [];
  kanal.port1.onmessage = function () {
    var weiter = wartende.shift();
    if (weiter) weiter();
  };
  function warten(ms) {
    return new Promise(function (weiter) {
      if (ms >= 4) {
        setTimeout(weiter, ms);
      } else {
        wartende.push(weiter);
        kanal.port2.postMessage(0);
      }
    });
  }

  // ---------------------------------------------------------- layout

  // As large as the stage allows with square pixels and 4:3 kept, on
  // whole device pixels. At whole scales the browser enlarges each pixel
  // to a block; between them the canvas holds the picture enlarged by the
  // next whole factor and the browser shrinks that smoothly, which keeps
  // the edges crisp and every pixel the same size.
  function anordnen() {
    var dpr = window.devicePixelRatio || 1;
    var breite = buehne.clientWidth * dpr, hoehe = buehne.clientHeight * dpr;
    var einheit = Math.max(1, Math.floor(Math.min(breite / 4, hoehe / 3)));
    var massstab = einheit * 4 / B;
    var ganz = Math.abs(massstab - Math.round(massstab)) < 1e-9 && massstab >= 1;
    faktorSetzen(ganz || massstab < 1 ? 1 : Math.ceil(massstab));
    bild.style.width = (einheit * 4 / dpr) + 'px';
    bild.style.height = (einheit * 3 / dpr) + 'px';
    bild.style.imageRendering = ganz ? 'pixelated' : 'auto';
    bild.dataset.massstab = String(massstab);
  }

  function faktorSetzen(neu) {
    if (neu === faktor) return;
    if (faktor === 1) ctxQuelle.drawImage(bild, 0, 0);
    faktor = neu;
    bild.width = B * faktor;
    bild.height = H * faktor;
    ctxBild.imageSmoothingEnabled = false;
    ctxBild.drawImage(quelle, 0, 0, B * faktor, H * faktor);
  }

  function bildRechteck() { return bild.getBoundingClientRect(); }

  // Rows von..bis of the picture, as RGBA bytes at pixel of heap.
  function zeilenZeigen(heap, pixel, b, h, von, bis) {
    if (b !== B || h !== H) return false;
    var daten = new ImageData(new Uint8ClampedArray(heap.buffer, pixel, b * h * 4), b, h);
    if (faktor === 1) {
      ctxBild.putImageData(daten, 0, 0, 0, von, b, bis - von);
    } else {
      ctxQuelle.putImageData(daten, 0, 0, 0, von, b, bis - von);
      ctxBild.drawImage(quelle, 0, von, b, bis - von, 0, von * faktor, b * faktor, (bis - von) * faktor);
    }
    if (ersterFrame === null) {
      ersterFrame = performance.now();
      element('laden').hidden = true;
    }
    return true;
  }

  function anzeigeSchliessen() {
    ctxBild.fillStyle = '#000';
    ctxBild.fillRect(0, 0, bild.width, bild.height);
    ctxQuelle.fillStyle = '#000';
    ctxQuelle.fillRect(0, 0, B, H);
  }

  // Bytes as base64, in slices that an argument list takes.
  function alsBase64(bytes) {
    var teile = [];
    for (var i = 0; i < bytes.length; i += 0x8000) {
      teile.push(String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000)));
    }
    return btoa(teile.join(''));
  }

  // The picture as the game last showed it: B x H RGBA bytes, base64.
  function bildDaten() {
    return alsBase64((faktor === 1 ? ctxBild : ctxQuelle).getImageData(0, 0, B, H).data);
  }

  function argbAlsBild(argb, groesse) {
    var c = document.createElement('canvas');
    c.width = c.height = groesse;
    var d = c.getContext('2d').createImageData(groesse, groesse);
    for (var i = 0; i < argb.length; i++) {
      var p = argb[i];
      d.data[4 * i] = (p >>> 16) & 255;
      d.data[4 * i + 1] = (p >>> 8) & 255;
      d.data[4 * i + 2] = p & 255;
      d.data[4 * i + 3] = p >>> 24;
    }
    c.getContext('2d').putImageData(d, 0, 0);
    return c.toDataURL('image/png');
  }

  function fensterZeigen(titel, zeiger, zeigerGroesse, hotX, hotY, symbol, symbolGroesse) {
    document.title = titel;
    buehne.style.cursor = 'url(' + argbAlsBild(zeiger, zeigerGroesse) + ') ' + hotX + ' ' + hotY + ', crosshair';
    var link = document.querySelector('link[rel=icon]');
    if (link) link.href = argbAlsBild(symbol, symbolGroesse);
  }

  // ------------------------------------------------------ full screen

  function vollbild() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(function () {});
      return;
    }
    if (!buehne.requestFullscreen) return;
    buehne.requestFullscreen().then(function () {
      // Escape then reaches the game; holding it still leaves full screen.
      if (navigator.keyboard && navigator.keyboard.lock) navigator.keyboard.lock(['Escape']).catch(function () {});
      bild.focus();
    }).catch(function () { hinweis('This browser did not allow full screen here.'); });
  }

  document.addEventListener('fullscreenchange', function () {
    if (!document.fullscreenElement && navigator.keyboard && navigator.keyboard.unlock) navigator.keyboard.unlock();
    anordnen();
  });

  // ---------------------------------------------------------- dialog

  var dialogIstOffen = false;

  function dialogOeffnen(titel, text) {
    element('laden').hidden = true;
    element('dialog-titel').textContent = titel;
    element('dialog-text').textContent = text;
    element('dialog').hidden = false;
    dialogIstOffen = true;
    element('dialog-ok').focus();
  }

  function dialogSchliessen() {
    if (!dialogIstOffen) return;
    element('dialog').hidden = true;
    dialogIstOffen = false;
    bild.focus();
  }

  element('dialog-ok').addEventListener('click', dialogSchliessen);
  element('dialog').addEventListener('keydown', function (e) {
    if (e.key === 'Escape') dialogSchliessen();
    e.stopPropagation();   // the game does not see keys meant for the dialog
  });

  function endeZeigen(text, knopf) {
    if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
    element('laden').hidden = true;
    element('ende-text').textContent = text;
    element('ende-neu').textContent = knopf;
    element('ende').hidden = false;
    element('ende-neu').focus();
  }

  function spielEnde(ergebnis) {
    endeZeigen(ergebnis === 0 ? 'The game has ended.' : 'The game could not start.',
               ergebnis === 0 ? 'Play again' : 'Try again');
    glubber.beendet = ergebnis;
  }

  element('ende-neu').addEventListener('click', function () { location.reload(); });
  element('ende').addEventListener('keydown', function (e) { e.stopPropagation(); });
  element('leiste').addEventListener('keydown', function (e) { e.stopPropagation(); });

  // ----------------------------------------------------------- sound

  // The audio starts with the first key or click (browsers allow no
  // sooner). What the game started before keeps its time: a voice, wave
  // or track still within its length then starts where it would be now.
  var ton = (function () {
    var ctx = null;
    var stimmen = [];
    var welle = null;   // { daten, gestartet, puffer, quelle }
    var welleNummer = 0;
    var gestartet = 0;   // sources started, for the tests

    function pcmAlsPuffer(s) {
      var bytes = s.bytes, schritt = s.kanaele * s.bits / 8;
      var n = Math.floor(bytes.length / schritt);
      if (n === 0) return null;
      var puffer;
      try {
        puffer = ctx.createBuffer(2, n, s.rate);
      } catch (e) {
        return null;   // a rate the browser does not take stays silent
      }
      var links = puffer.getChannelData(0), rechts = puffer.getChannelData(1);
      var sicht = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      for (var i = 0; i < n; i++) {
        for (var k = 0; k < 2; k++) {
          var o = i * schritt + Math.min(k, s.kanaele - 1) * s.bits / 8;
          var wert = s.bits === 8 ? (sicht.getUint8(o) - 128) / 128 : sicht.getInt16(o, true) / 32768;
          (k === 0 ? links : rechts)[i] = wert;
        }
      }
      return puffer;
    }

    function stimmeAnlegen() {
      stimmen.push({ bytes: null, puffer: null, quelle: null, gestartet: null, pegel: [1, 1] });
      return stimmen.length - 1;
    }

    function stimmeFuellen(i, bytes, kanaele, rate, bits) {
      var s = stimmen[i];
      s.bytes = bytes;
      s.kanaele = kanaele;
      s.rate = rate;
      s.bits = bits;
      s.puffer = null;
      s.dauer = bytes.length / (kanaele * bits / 8) / rate;
    }

    function stimmeKnoten(s) {
      if (s.links) return;
      var teiler = ctx.createChannelSplitter(2), mischer = ctx.createChannelMerger(2);
      s.links = ctx.createGain();
      s.rechts = ctx.createGain();
      teiler.connect(s.links, 0);
      teiler.connect(s.rechts, 1);
      s.links.connect(mischer, 0, 0);
      s.rechts.connect(mischer, 0, 1);
      mischer.connect(ctx.destination);
      s.eingang = teiler;
    }

    function stimmeStarten(s, ab) {
      if (!s.bytes) return;
      if (!s.puffer) s.puffer = pcmAlsPuffer(s);
      if (!s.puffer) return;
      stimmeKnoten(s);
      s.links.gain.value = s.pegel[0];
      s.rechts.gain.value = s.pegel[1];
      var q = ctx.createBufferSource();
      q.buffer = s.puffer;
      q.connect(s.eingang);
      q.onended = function () { if (s.quelle === q) s.quelle = null; };
      q.start(0, ab);
      s.quelle = q;
      gestartet++;
    }

    // A voice or the wave: its source stops.
    function quelleStoppen(s) {
      if (s.quelle) {
        try { s.quelle.stop(); } catch (e) { /* already ended */ }
        s.quelle = null;
      }
    }

    function laeuft() { return ctx !== null && ctx.state === 'running'; }

    function stimmeSpielen(i, links, rechts) {
      var s = stimmen[i];
      quelleStoppen(s);
      s.pegel = [links, rechts];
      s.gestartet = performance.now();
      if (laeuft()) stimmeStarten(s, 0);
    }

    function stimmePegel(i, links, rechts) {
      var s = stimmen[i];
      s.pegel = [links, rechts];
      if (s.links) {
        s.links.gain.value = links;
        s.rechts.gain.value = rechts;
      }
    }

    function stimmeAnhalten(i) {
      quelleStoppen(stimmen[i]);
      stimmen[i].gestartet = null;
    }

    function stimmeFreigeben(i) {
      stimmeAnhalten(i);
      stimmen[i].bytes = stimmen[i].puffer = null;
    }

    function welleStarten(w) {
      var nummer = welleNummer;
      var kopie = w.daten.slice().buffer;
      ctx.decodeAudioData(kopie).then(function (puffer) {
        if (nummer !== welleNummer || !laeuft()) return;
        var ab = (performance.now() - w.gestartet) / 1000;
        if (ab >= puffer.duration) return;
        var q = ctx.createBufferSource();
        q.buffer = puffer;
        q.connect(ctx.destination);
        q.start(0, ab);
        w.quelle = q;
      }).catch(function () { /* not a wave the browser can read: silent */ });
    }

    function welleSpielen(name) {
      welleNummer++;
      if (welle) quelleStoppen(welle);
      welle = null;
      if (name === null) return true;
      var daten;
      try {
        daten = Module.FS.readFile(name);
      } catch (e) {
        return false;
      }
      if (daten.length === 0 || daten.length > 64 * 1024 * 1024) return false;
      welle = { daten: daten, gestartet: performance.now(), quelle: null };
      if (laeuft()) welleStarten(welle);
      return true;
    }

    // Everything started before the audio could run, where it would be now.
    function nachholen() {
      var jetzt = performance.now();
      stimmen.forEach(function (s) {
        if (s.gestartet === null || s.quelle || !s.bytes) return;
        var ab = (jetzt - s.gestartet) / 1000;
        if (ab < s.dauer) stimmeStarten(s, ab);
      });
      if (welle && !welle.quelle) welleStarten(welle);
      musik.nachholen();
    }

    function geste() {
      if (ctx === null) {
        var Klasse = window.AudioContext || window.webkitAudioContext;
        if (!Klasse) return;
        try {
          ctx = new Klasse();
        } catch (e) {
          return;
        }
      }
      if (ctx.state === 'suspended') {
        ctx.resume().then(nachholen).catch(function () {});
      } else if (!geste.nachgeholt) {
        nachholen();
      }
      geste.nachgeholt = true;
    }

    function piep() {
      if (!laeuft()) return;
      var o = ctx.createOscillator(), g = ctx.createGain();
      o.frequency.value = 2000;
      g.gain.setValueAtTime(0.08, ctx.currentTime);
      g.gain.exponentialRampToValueAtTime(0.0001, ctx.currentTime + 0.015);
      o.connect(g);
      g.connect(ctx.destination);
      o.start();
      o.stop(ctx.currentTime + 0.02);
    }

    function beenden() {
      stimmen.forEach(function (s, i) { stimmeFreigeben(i); });
      welleSpielen(null);
      musik.schliessen();
    }

    return {
      stimmeAnlegen: stimmeAnlegen, stimmeFuellen: stimmeFuellen, stimmeSpielen: stimmeSpielen,
      stimmePegel: stimmePegel, stimmeAnhalten: stimmeAnhalten, stimmeFreigeben: stimmeFreigeben,
      welleSpielen: welleSpielen, geste: geste, piep: piep, beenden: beenden,
      zustand: function () { return ctx ? ctx.state : 'none'; },
      gestartet: function () { return gestartet; },
      pegel: function (i) { return stimmen[i].pegel; },
    };
  })();

  // ----------------------------------------------------------- music

  var musik = (function () {
    var audio = null, adresse = null, wartet = false;

    function oeffnen(name) {
      var daten;
      try {
        daten = Module.FS.readFile(name);
      } catch (e) {
        return false;
      }
      adresse = URL.createObjectURL(new Blob([daten], { type: 'audio/mpeg' }));
      audio = new Audio(adresse);
      audio.preload = 'auto';
      return true;
    }

    function spielen(wiederholen) {
      if (!audio) return;
      audio.loop = wiederholen;
      wartet = true;
      audio.play().then(function () { wartet = false; }).catch(function () { /* waits for the first key or click */ });
    }

    function schliessen() {
      wartet = false;
      if (!audio) return;
      audio.pause();
      audio.removeAttribute('src');
      audio.load();
      URL.revokeObjectURL(adresse);
      audio = adresse = null;
    }

    return {
      oeffnen: oeffnen, spielen: spielen, schliessen: schliessen,
      nachholen: function () { if (audio && wartet) spielen(audio.loop); },
      spielt: function () { return audio !== null && !audio.paused; },
    };
  })();

  // --------------------------------------------------------- storage

  // The persistent folder is stored whole after every commit. Never two
  // stores at once: a request while one runs is done after it; a failed
  // one is tried again, later each time.
  var speicher = (function () {
    var laeuft = false, wartet = false, zeitgeber = null;
    var fehlschlaege = 0, laeufe = 0, zugleich = 0, hoechstens = 0;

    function sichern() {
      if (laeuft) {
        wartet = true;
        return;
      }
      if (zeitgeber !== null) clearTimeout(zeitgeber);
      zeitgeber = null;
      laeuft = true;
      wartet = false;
      laeufe++;
      zugleich++;
      hoechstens = Math.max(hoechstens, zugleich);
      Module.FS.syncfs(false, function (fehler) {
        zugleich--;
        laeuft = false;
        if (fehler) {
          fehlschlaege++;
          wartet = true;
          hinweis('The high scores could not be stored in this browser yet; trying again.');
          zeitgeber = setTimeout(function () {
            zeitgeber = null;
            if (wartet && !laeuft) sichern();
          }, Math.min(30000, 500 * fehlschlaege));
          return;
        }
        if (fehlschlaege > 0) hinweis('');
        fehlschlaege = 0;
        if (wartet) sichern();
      });
    }

    return {
      sichern: sichern,
      gesichert: function () { return !laeuft && !wartet; },
      stand: function () { return { laeufe: laeufe, hoechstens: hoechstens, fehlschlaege: fehlschlaege }; },
    };
  })();

  // The player's MP3 files: kept in the persistent folder, found by the
  // game's music search at its next start.
  var MUSIK_ORDNER = '/gespeichert/musik';
  var MUSIK_GROESSTE = 50 * 1024 * 1024;

  function musikListe() {
    try {
      return Module.FS.readdir(MUSIK_ORDNER).filter(function (n) { return /\.mp3$/i.test(n); }).sort();
    } catch (e) {
      return [];
    }
  }

  function musikZeigen() {
    var n = musikListe().length;
    element('musik-weg').hidden = n === 0;
    element('musik-weg').textContent = 'Remove added music (' + n + ')';
  }

  function musikHinzufuegen(dateien) {
    var liste = Array.prototype.slice.call(dateien);
    var abgelehnt = [], neu = [];
    return Promise.all(liste.map(function (datei) {
      var name = datei.name.replace(/[\/\\\u0000-\u001f]/g, '_');
      if (!/\.mp3$/i.test(name) || name.charAt(0) === '.' || name.length > 200) {
        abgelehnt.push(datei.name + ' (not an MP3 file)');
        return null;
      }
      if (datei.size === 0 || datei.size > MUSIK_GROESSTE) {
        abgelehnt.push(datei.name + ' (empty or larger than 50 MB)');
        return null;
      }
      return datei.arrayBuffer().then(function (inhalt) {
        Module.FS.writeFile(MUSIK_ORDNER + '/' + name, new Uint8Array(inhalt));   // linked in at the next start
        neu.push(name);
      }).catch(function () { abgelehnt.push(datei.name + ' (could not be read)'); });
    })).then(function () {
      if (neu.length) speicher.sichern();
      musikZeigen();
      var text = '';
      if (neu.length) text += 'Added ' + neu.join(', ') + ': the game plays it from its next start (reload the page). ';
      if (abgelehnt.length) text += 'Not added: ' + abgelehnt.join(', ') + '.';
      hinweis(text);
      bild.focus();
      return neu;
    });
  }

  function musikEntfernen() {
    musikListe().forEach(function (name) {
      try { Module.FS.unlink(MUSIK_ORDNER + '/' + name); } catch (e) { /* gone */ }
      try { Module.FS.unlink('/glubber/' + name); } catch (e) { /* not linked */ }
    });
    speicher.sichern();
    musikZeigen();
    hinweis('The added music is removed.');
    bild.focus();
  }

  element('musik-datei').addEventListener('change', function (e) {
    musikHinzufuegen(e.target.files);
    e.target.value = '';
  });
  element('musik-weg').addEventListener('click', musikEntfernen);
  document.addEventListener('dragover', function (e) { e.preventDefault(); });
  document.addEventListener('drop', function (e) {
    e.preventDefault();
    if (e.dataTransfer && e.dataTransfer.files.length) musikHinzufuegen(e.dataTransfer.files);
  });

  // ------------------------------------------------------ data, start

  function datenLaden() {
    return fetch('daten/liste.json').then(function (r) { return r.ok ? r.json() : []; }).then(function (namen) {
      return Promise.all(namen.map(function (name) {
        return fetch('daten/' + encodeURIComponent(name)).then(function (r) {
          if (!r.ok) return;   // the game names what is missing
          return r.arrayBuffer().then(function (inhalt) {
            Module.FS.writeFile('/glubber/' + name, new Uint8Array(inhalt));
          });
        }).catch(function () {});
      }));
    }).catch(function () {});
  }

  // One game per browser: the stored files are one folder, stored whole,
  // and a second tab would store over what the first one added.
  function alleinSpielen() {
    if (!navigator.locks || !navigator.locks.request) return;
    Module.addRunDependency('allein');
    navigator.locks.request('glubbershoot', { ifAvailable: true }, function (sperre) {
      if (!sperre) {
        element('laden').textContent =
            'Glubbershoot is already running in another tab or window of this browser. Close it, then reload this page.';
        return;
      }
      Module.removeRunDependency('allein');
      return new Promise(function () {});   // held while the page lives
    });
  }

  function vorbereiten() {
    var FS = Module.FS;
    alleinSpielen();
    FS.mkdir('/glubber');
    FS.mkdir('/gespeichert');
    FS.mount(FS.filesystems.IDBFS, {}, '/gespeichert');
    Module.addRunDependency('gespeichert');
    FS.syncfs(true, function (fehler) {
      if (fehler) hinweis('This browser keeps no files for this page: high scores are not kept.');
      try { FS.mkdir(MUSIK_ORDNER); } catch (e) { /* there already */ }
      musikZeigen();
      Module.removeRunDependency('gespeichert');
    });
    Module.addRunDependency('daten');
    datenLaden().then(function () { Module.removeRunDependency('daten'); });
  }

  // ------------------------------------------------- input, page events

  // Every key and click, before the game hears it, may start the audio.
  document.addEventListener('keydown', function (e) {
    if (e.key === 'F4' && !e.repeat) vollbild();
    ton.geste();
  }, true);
  document.addEventListener('mousedown', function (e) {
    ton.geste();
    if (buehne.contains(e.target) && element('dialog').hidden && element('ende').hidden) bild.focus();
  }, true);
  buehne.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  // A click on the bar beside its controls leaves the keys with the game.
  element('leiste').addEventListener('mousedown', function (e) {
    if (!e.target.closest('button, label, input')) e.preventDefault();
  });
  element('vollbild').addEventListener('click', function () {
    vollbild();
    bild.focus();   // Space must not press the button again
  });
  window.addEventListener('resize', anordnen);
  if (window.ResizeObserver) new ResizeObserver(anordnen).observe(buehne);
  anordnen();
  bild.focus();

  // ----------------------------------------------- test and figures

  // Used by the browser tests and `make bench-web` only.
  var protokoll = [], eingaben = [], halt = einstellung('clock', 0) === 1 ? Number(param.get('stop') || -1) : -1;
  var stand = { ms: 0, steht: false };
  var messung = null;

  function protokollieren(zeile) { protokoll.push(zeile.replace(/\r/g, '\\r').replace(/\n/g, '\\n')); }

  window.Module = {
    preRun: [vorbereiten],
    print: function (t) { console.log(t); },
    printErr: function (t) { console.warn(t); },
    onAbort: function (grund) {
      endeZeigen('The game stopped because of an error in this page: ' + grund, 'Try again');
    },
  };
  if (typeof WebAssembly !== 'object') {
    element('laden').textContent = 'This browser cannot run the game: it needs WebAssembly.';
  }

  return {
    // for the backend
    einstellung: einstellung, warten: warten, bildRechteck: bildRechteck, zeilenZeigen: zeilenZeigen,
    anzeigeSchliessen: anzeigeSchliessen,
    fensterZeigen: fensterZeigen, dialogOeffnen: dialogOeffnen,
    dialogOffen: function () { return dialogIstOffen; },
    spielEnde: spielEnde, ton: ton, musik: musik, speicher: speicher,
    protokollieren: protokollieren,
    eingabeMerken: function (ms, message, w, l) { eingaben.push([ms, message, w, l]); },
    // The test's stop point: whether the game stands at ms.
    haltenBei: function (ms) { stand.ms = ms; stand.steht = halt >= 0 && ms >= halt; return stand.steht; },
    misst: function () { return messung !== null; },
    messwert: function (arbeit, zeilen) { messung.push([arbeit, zeilen]); },
    beendet: null,
    // for the tests
    test: {
      weiter: function (ms) { halt = ms; stand.steht = false; },
      stand: function () { return { ms: stand.ms, steht: stand.steht }; },
      protokoll: function () { return protokoll.slice(); },
      eingaben: function () { return eingaben.slice(); },
      bild: bildDaten,
      ersterFrame: function () { return ersterFrame; },
      messen: function (an) { var alt = messung; messung = an ? [] : null; return alt; },
      datei: function (pfad) {
        try { return alsBase64(Module.FS.readFile(pfad)); } catch (e) { return null; }
      },
      dateiSchreiben: function (pfad, base64) {
        var s = atob(base64), bytes = new Uint8Array(s.length);
        for (var i = 0; i < s.length; i++) bytes[i] = s.charCodeAt(i);
        Module.FS.writeFile(pfad, bytes);
        speicher.sichern();
      },
      musikHinzufuegen: musikHinzufuegen,
      faktor: function () { return faktor; },
    },
  };
})();
