// Touch controls of the page: a stick, a look area and five buttons, shown on a touch device.
// They press the game's own keys and mouse buttons and move its pointer through the functions
// the game exports (Module.lornhavenKey, lornhavenButton, lornhavenPointer), so the game plays a
// touch by the same rules as a keyboard and a mouse. On the splash, the title and the pause menu
// a tap is a left click where it lands; in play only the controls act.
'use strict';
(function () {
    var Keys = { forward: 119, left: 97, back: 115, right: 100, jump: 32, fly: 304, menu: 27 };
    var LeftButton = 1;
    var RightButton = 3;
    // A press shorter than a frame would never be seen by the game: releases wait this long.
    var ShortestPressMs = 80;
    // A drag of this many CSS pixels turns like the mouse at a quarter of the window from the
    // centre.
    var ComfortableDrag = 60;
    // Within this fraction of the stick's radius the thumb walks nowhere.
    var DeadZone = 0.3;
    // Margins at least this wide hold the controls beside the picture instead of over it.
    var MarginForControls = 140;

    var root = document.documentElement;
    var canvas = document.getElementById('canvas');
    var layer = document.getElementById('touch');
    var stick = layer.querySelector('[aria-label="move"]');
    var knob = stick.querySelector('.knob');
    var look = layer.querySelector('[aria-label="look"]');
    var help = document.getElementById('controls');
    var screenName = 'splash';
    var fullScreenAsked = false;

    function game(name) {
        return typeof Module !== 'undefined' && typeof Module[name] === 'function' ? Module[name] : null;
    }
    function key(code, down) {
        var send = game('lornhavenKey');
        if (send) {
            send(code, down);
        }
    }
    function button(which, down) {
        var send = game('lornhavenButton');
        if (send) {
            send(which, down);
        }
    }
    function pointer(x, y) {
        var send = game('lornhavenPointer');
        if (send) {
            send(x, y);
        }
    }
    function centrePointer() {
        pointer(canvas.width / 2, canvas.height / 2);
    }

    // Releases come no sooner than ShortestPressMs after their press.
    function releaseLater(pressedAt, release) {
        var wait = pressedAt + ShortestPressMs - performance.now();
        if (wait > 0) {
            setTimeout(release, wait);
        } else {
            release();
        }
    }

    // The canvas point under a page point, in canvas pixels.
    function canvasPoint(clientX, clientY) {
        var box = canvas.getBoundingClientRect();
        return {
            x: Math.min(canvas.width - 1, Math.max(0, (clientX - box.left) * canvas.width / box.width)),
            y: Math.min(canvas.height - 1, Math.max(0, (clientY - box.top) * canvas.height / box.height))
        };
    }

    // Shown on a device whose main pointer is coarse or after a touch; a mouse or a key hides them.
    function useTouch(on) {
        if (root.classList.contains('touch') === on) {
            return;
        }
        root.classList.toggle('touch', on);
        help.textContent = on ? help.dataset.touch : help.dataset.desktop;
        layOut();
    }

    function setScreen(name) {
        screenName = name;
        layer.dataset.screen = name;
        if (name !== 'play') {
            releaseAll();
        }
    }

    // The canvas as large as the window allows at its aspect, and the controls beside it where
    // the margins are wide enough, over its lower corners (half see-through) where they are not.
    function layOut() {
        if (!root.classList.contains('touch')) {
            root.style.removeProperty('--canvas-width');
            root.style.removeProperty('--canvas-height');
            return;
        }
        var stage = document.getElementById('stage').getBoundingClientRect();
        var scale = Math.min(stage.width / canvas.width, stage.height / canvas.height);
        root.style.setProperty('--canvas-width', Math.floor(canvas.width * scale) + 'px');
        root.style.setProperty('--canvas-height', Math.floor(canvas.height * scale) + 'px');
        var box = canvas.getBoundingClientRect();
        var inMargins = box.left >= MarginForControls;
        layer.classList.toggle('margins', inMargins);
        layer.style.setProperty('--margin', box.left + 'px');
        // The look area is the picture's right half; the HUD panel is at its top left.
        look.style.left = (box.left + box.width / 2) + 'px';
        look.style.top = box.top + 'px';
        look.style.width = (box.width / 2) + 'px';
        look.style.height = box.height + 'px';
    }

    // The stick: eight directions of w, a, s and d, held while the thumb holds them.
    var stickTouch = null;
    var stickKeys = [];
    var stickPressedAt = 0;
    var Directions = [
        [Keys.right], [Keys.right, Keys.back], [Keys.back], [Keys.back, Keys.left],
        [Keys.left], [Keys.left, Keys.forward], [Keys.forward], [Keys.forward, Keys.right]
    ];

    function holdStickKeys(wanted) {
        stickKeys.forEach(function (code) {
            if (wanted.indexOf(code) < 0) {
                releaseLater(stickPressedAt, function () { key(code, false); });
            }
        });
        wanted.forEach(function (code) {
            if (stickKeys.indexOf(code) < 0) {
                key(code, true);
                stickPressedAt = performance.now();
            }
        });
        stickKeys = wanted;
    }

    function moveStick(touch) {
        var box = stick.getBoundingClientRect();
        var radius = box.width / 2;
        var dx = touch.clientX - (box.left + radius);
        var dy = touch.clientY - (box.top + radius);
        var length = Math.sqrt(dx * dx + dy * dy);
        var shown = Math.min(length, radius);
        var angle = Math.atan2(dy, dx);
        knob.style.transform = 'translate(' + (Math.cos(angle) * shown) + 'px,' + (Math.sin(angle) * shown) + 'px)';
        if (length < radius * DeadZone) {
            holdStickKeys([]);
            return;
        }
        var sector = (Math.round(angle / (Math.PI / 4)) + 8) % 8;
        holdStickKeys(Directions[sector]);
    }

    function releaseStick() {
        stickTouch = null;
        knob.style.transform = '';
        holdStickKeys([]);
    }

    // The look area: the pointer is the window centre plus the drag's offset, back to the centre
    // (the view stops turning) when the finger lifts.
    var lookTouch = null;
    var lookStart = null;

    function moveLook(touch) {
        var dx = (touch.clientX - lookStart.x) * (canvas.width / 4) / ComfortableDrag;
        var dy = (touch.clientY - lookStart.y) * (canvas.height / 4) / ComfortableDrag;
        pointer(Math.min(canvas.width - 1, Math.max(0, canvas.width / 2 + dx)),
            Math.min(canvas.height - 1, Math.max(0, canvas.height / 2 + dy)));
    }

    // The buttons: each holds its key or mouse button while touched.
    var held = {};

    var Controls = {
        'jump': [key, Keys.jump], 'fly': [key, Keys.fly], 'menu': [key, Keys.menu],
        'attack': [button, LeftButton], 'second attack': [button, RightButton]
    };
    function sendControl(name, down) {
        var control = Controls[name];
        if (control) {
            control[0](control[1], down);
        }
    }
    function pressControl(name) {
        sendControl(name, true);
    }
    function releaseControl(name) {
        sendControl(name, false);
    }

    // A tap on the canvas outside play: a left click where it lands, then the pointer back to the
    // centre so that play, when it starts, does not turn.
    var tapTouch = null;
    var tapPressedAt = 0;

    function releaseAll() {
        if (stickTouch !== null) {
            releaseStick();
        }
        if (lookTouch !== null) {
            lookTouch = null;
            centrePointer();
        }
        Object.keys(held).forEach(function (id) {
            var name = held[id].name;
            delete held[id];
            releaseControl(name);
        });
        layer.querySelectorAll('.pressed').forEach(function (element) {
            element.classList.remove('pressed');
        });
    }

    function findTouch(list, id) {
        for (var i = 0; i < list.length; i++) {
            if (list[i].identifier === id) {
                return list[i];
            }
        }
        return null;
    }

    function onTouchStart(event) {
        useTouch(true);
        for (var i = 0; i < event.changedTouches.length; i++) {
            var touch = event.changedTouches[i];
            var control = touch.target.closest ? touch.target.closest('[aria-label]') : null;
            var name = control && layer.contains(control) ? control.getAttribute('aria-label') : null;
            if (name === 'move' && stickTouch === null) {
                stickTouch = touch.identifier;
                moveStick(touch);
            } else if (name === 'look' && lookTouch === null) {
                lookTouch = touch.identifier;
                lookStart = { x: touch.clientX, y: touch.clientY };
            } else if (name !== null && name !== 'move' && name !== 'look' && held[touch.identifier] === undefined) {
                held[touch.identifier] = { name: name, at: performance.now() };
                control.classList.add('pressed');
                pressControl(name);
            } else if (name === null && screenName !== 'play' && tapTouch === null && touch.target === canvas) {
                tapTouch = touch.identifier;
                var point = canvasPoint(touch.clientX, touch.clientY);
                pointer(point.x, point.y);
                button(LeftButton, true);
                tapPressedAt = performance.now();
            }
        }
    }

    function onTouchMove(event) {
        var touch = stickTouch !== null ? findTouch(event.changedTouches, stickTouch) : null;
        if (touch) {
            moveStick(touch);
        }
        touch = lookTouch !== null ? findTouch(event.changedTouches, lookTouch) : null;
        if (touch) {
            moveLook(touch);
        }
        touch = tapTouch !== null ? findTouch(event.changedTouches, tapTouch) : null;
        if (touch) {
            var point = canvasPoint(touch.clientX, touch.clientY);
            pointer(point.x, point.y);
        }
    }

    function onTouchEnd(event) {
        for (var i = 0; i < event.changedTouches.length; i++) {
            var id = event.changedTouches[i].identifier;
            if (id === stickTouch) {
                releaseStick();
            } else if (id === lookTouch) {
                lookTouch = null;
                centrePointer();
            } else if (id === tapTouch) {
                tapTouch = null;
                releaseLater(tapPressedAt, function () {
                    button(LeftButton, false);
                    centrePointer();
                });
            } else if (held[id] !== undefined) {
                var press = held[id];
                delete held[id];
                layer.querySelectorAll('[aria-label="' + press.name + '"]').forEach(function (element) {
                    element.classList.remove('pressed');
                });
                releaseLater(press.at, releaseControl.bind(null, press.name));
            }
        }
        askFullScreen();
    }

    // Full screen, landscape where the browser allows it, at the first tap (a gesture is needed).
    function askFullScreen() {
        if (fullScreenAsked || document.fullscreenElement || !document.fullscreenEnabled) {
            return;
        }
        fullScreenAsked = true;
        root.requestFullscreen({ navigationUI: 'hide' }).then(function () {
            if (screen.orientation && screen.orientation.lock) {
                return screen.orientation.lock('landscape');
            }
        }).catch(function () {});
    }

    // The page's own touches go nowhere else: no scrolling, zooming, mouse emulation or SDL's
    // own reading of them (first finger as the mouse).
    function take(handler) {
        return function (event) {
            event.preventDefault();
            event.stopPropagation();
            handler(event);
        };
    }
    window.addEventListener('touchstart', take(onTouchStart), { capture: true, passive: false });
    window.addEventListener('touchmove', take(onTouchMove), { capture: true, passive: false });
    window.addEventListener('touchend', take(onTouchEnd), { capture: true, passive: false });
    window.addEventListener('touchcancel', take(onTouchEnd), { capture: true, passive: false });

    window.addEventListener('mousemove', function (event) {
        if (event.movementX !== 0 || event.movementY !== 0) {
            useTouch(false);
        }
    });
    window.addEventListener('mousedown', function () { useTouch(false); });
    window.addEventListener('keydown', function () { useTouch(false); });
    window.addEventListener('resize', layOut);
    window.addEventListener('lornhavenscreen', function (event) {
        setScreen(event.detail);
        layOut();
    });

    // The button keeps no focus, or the game's space bar would press it again.
    var fullScreenButton = document.getElementById('fullscreen');
    fullScreenButton.addEventListener('mousedown', function (event) { event.preventDefault(); });
    fullScreenButton.addEventListener('click', function () {
        fullScreenButton.blur();
        if (document.fullscreenElement) {
            document.exitFullscreen().catch(function () {});
        } else if (document.fullscreenEnabled) {
            root.requestFullscreen().catch(function () {});
        }
    });

    help.dataset.desktop = help.textContent;
    setScreen('splash');
    useTouch(window.matchMedia('(pointer: coarse)').matches);
})();
