// Registers the service worker (service_worker.js) that keeps the page's files, so that the
// page, once visited, starts with no network. Where the browser has no service workers (a page
// not served from https or 127.0.0.1, for one) the page plays as before, online only.
'use strict';
(function () {
    if (!('serviceWorker' in navigator)) {
        return;
    }

    // A new build's worker waits until this page has all of its own build's files (the game is
    // running), so one page never mixes two builds; then it takes over, drops the old files, and
    // the next visit plays the new build.
    function activateWhenLoaded(worker) {
        if (window.Module && window.Module.calledRun) {
            worker.postMessage('activate');
        } else {
            setTimeout(function () { activateWhenLoaded(worker); }, 500);
        }
    }

    function watch(registration) {
        if (registration.waiting && navigator.serviceWorker.controller) {
            activateWhenLoaded(registration.waiting);
        }
        registration.addEventListener('updatefound', function () {
            var worker = registration.installing;
            worker.addEventListener('statechange', function () {
                if (worker.state === 'installed' && navigator.serviceWorker.controller) {
                    activateWhenLoaded(worker);
                }
            });
        });
    }

    // After the page's own files, so the worker's copies do not compete with them on a first visit.
    window.addEventListener('load', function () {
        navigator.serviceWorker.register('service_worker.js').then(watch, function (error) {
            console.warn('Lornhaven: the page will not play offline (' + error.message + ')');
        });
    });
})();
