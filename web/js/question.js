// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The exit question: modal, with the desktop's title, text and Yes and No.
// Yes is the default button, Escape answers No.

export function ask({ question, title, yes, no, yesCaption, noCaption }) {
    return new Promise((resolve) => {
        const dialog = document.createElement('dialog');
        dialog.className = 'question';
        dialog.setAttribute('aria-label', title);
        const header = document.createElement('header');
        header.className = 'title';
        header.textContent = title;
        const text = document.createElement('p');
        text.textContent = question;
        const buttons = document.createElement('div');
        buttons.className = 'answers';
        const answer = (code) => {
            dialog.close();
            dialog.remove();
            resolve(code);
        };
        for (const [caption, code] of [[yesCaption, yes], [noCaption, no]]) {
            const button = document.createElement('button');
            button.type = 'button';
            button.textContent = caption;
            button.value = String(code);
            button.addEventListener('click', () => answer(code));
            buttons.append(button);
        }
        dialog.addEventListener('cancel', (event) => {
            event.preventDefault();
            answer(no);
        });
        dialog.append(header, text, buttons);
        document.body.append(dialog);
        dialog.showModal();
        buttons.firstChild.focus();
    });
}
