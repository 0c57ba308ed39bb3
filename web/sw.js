// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// Offline after the first visit: the whole page is cached on install, under a
// name that changes with its contents, and served from the cache first. The
// files are fetched past the browser's HTTP cache, which a plain static server
// leaves to guess from Last-Modified, so a new version is always whole and new.
// Only this program's older caches are removed: a school's server may host more.

const PREFIX = 'nuperako-';
const CACHE = '@CACHE_NAME@';
const FILES = ['@FILES@']; // the page's files, listed by the build

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') return;
    event.respondWith(caches.open(CACHE)
        .then((cache) => cache.match(event.request, { ignoreSearch: true }))
        .then((cached) => cached ?? fetch(event.request)));
});
