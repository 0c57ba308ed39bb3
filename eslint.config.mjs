// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// ESLint's recommended rules over the project's JavaScript: the page and its
// service worker in the browser, the page's tests and benchmarks in Node.

import js from '@eslint/js';
import globals from 'globals';

export default [
    { ignores: ['build*/**', 'node_modules/**'] },
    js.configs.recommended,
    // The program's Japanese texts have ideographic spaces (U+3000), in comments too.
    { rules: { 'no-irregular-whitespace': ['error', { skipComments: true, skipStrings: true, skipTemplates: true }] } },
    { files: ['web/**/*.js'], languageOptions: { globals: globals.browser } },
    { files: ['web/sw.js'], languageOptions: { globals: globals.serviceworker } },
    { files: ['web/nomodule.js'], languageOptions: { sourceType: 'script', ecmaVersion: 5 } },
    // The tests, benchmarks and scripts run in Node, and hand functions to the page to run there.
    { files: ['tests/**/*.mjs', 'bench/**/*.mjs', 'scripts/**/*.mjs'], languageOptions: { globals: { ...globals.node, ...globals.browser } } },
];
