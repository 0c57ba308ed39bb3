// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// For a browser too old for module scripts: a message instead of a blank page.
// Plain old script on purpose.
(function () {
    var message = document.getElementById('message');
    message.textContent = 'ぬぺらこを始められません。このブラウザーは古すぎます。';
    message.hidden = false;
}());
