// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <vector>

namespace nuperako::classroom {

// A QR code of a text (the students' address), so that a tablet joins by its
// camera: as large as the widget allows in whole device pixels per module,
// with the quiet zone of four modules that readers need around it.
class QrCodeView : public QWidget {
    Q_OBJECT
public:
    explicit QrCodeView(QWidget *parent = nullptr);

    void setText(const QString &text);
    // The modules, row by row, dark ones true; empty if the text could not be encoded.
    [[nodiscard]] const std::vector<bool> &modules() const { return m_modules; }
    [[nodiscard]] int moduleCount() const { return m_width; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<bool> m_modules;
    int m_width = 0;
};

} // namespace nuperako::classroom
