// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classwindow.h"

#include "classroom/classserver.h"
#include "mainwindow/boardlayout.h"
#include "platform/japanesefont.h"
#include "platform/qtconvert.h"
#include "pool/poolsummary.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace nuperako::classroom {

namespace {

constexpr int kRefreshMs = 200;
constexpr qreal kTextPoints = 14;
constexpr qreal kCodePoints = 40;

QLabel *label(const QString &text, qreal points, QWidget *parent, bool bold = false, bool italic = false)
{
    auto *l = new QLabel(text, parent);
    l->setFont(japaneseFont(points, bold, italic));
    return l;
}

} // namespace

ClassWindow::ClassWindow(const ClassServer &server, const QString &address, QWidget *parent)
    : QWidget(parent), m_server(server)
{
    setWindowTitle(QStringLiteral("ぬぺらこ クラス集計"));
    auto *page = new QVBoxLayout(this);

    auto *join = new QGridLayout;
    join->addWidget(label(QStringLiteral("クラス"), kTextPoints, this), 0, 0);
    auto *codeLabel = label(toQString(server.pool().code()), kCodePoints, this, true);
    codeLabel->setAccessibleName(QStringLiteral("クラスのコード"));
    join->addWidget(codeLabel, 0, 1);
    join->addWidget(label(QStringLiteral("生徒のアドレス"), kTextPoints, this), 1, 0);
    auto *link = label(address, kTextPoints, this, true);
    link->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    join->addWidget(link, 1, 1);
    join->setColumnStretch(1, 1);
    page->addLayout(join);

    m_headline = label({}, kTextPoints, this);
    page->addWidget(m_headline);

    // The board's tally: its headings and row names, colours and italics.
    auto *tally = new QGridLayout;
    for (std::size_t column = 0; column < boardlayout::kHeadings.size(); ++column) {
        auto *heading = label(toQString(boardlayout::kHeadings[column].caption), kTextPoints, this, true);
        tally->addWidget(heading, 0, static_cast<int>(column) + 1, Qt::AlignRight);
    }
    for (std::size_t c = 0; c < kCountCount; ++c) {
        const boardlayout::TallyRow &row = boardlayout::kTallyRows[c];
        const int r = static_cast<int>(c) + 1;
        auto *name = label(toQString(row.caption), kTextPoints, this, false, row.italic);
        m_counts[c] = label({}, kTextPoints, this);
        m_ratios[c] = label({}, kTextPoints, this);
        for (QLabel *l : {name, m_counts[c], m_ratios[c]}) {
            if (row.color) {
                QPalette p = l->palette();
                p.setColor(QPalette::WindowText, toQColor(*row.color));
                l->setPalette(p);
            }
        }
        m_counts[c]->setAccessibleName(toQString(boardlayout::cellSpeech(static_cast<Count>(c), 1)));
        m_ratios[c]->setAccessibleName(toQString(boardlayout::cellSpeech(static_cast<Count>(c), 2)));
        tally->addWidget(name, r, 0);
        tally->addWidget(m_counts[c], r, 1, Qt::AlignRight);
        tally->addWidget(m_ratios[c], r, 2, Qt::AlignRight);
    }
    tally->setHorizontalSpacing(32);
    page->addLayout(tally);
    page->addStretch();

    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &ClassWindow::showPool);
    connect(&server, &ClassServer::poolChanged, this, [this] {
        if (!m_refresh.isActive())
            m_refresh.start(kRefreshMs);
    });
    showPool();
}

void ClassWindow::showPool()
{
    const pool::PoolSummary summary = m_server.pool().summary();
    m_headline->setText(toQString(summary.headline()));
    for (std::size_t c = 0; c < kCountCount; ++c) {
        m_counts[c]->setText(toQString(summary.tally.countText(static_cast<Count>(c))));
        m_ratios[c]->setText(toQString(summary.tally.ratioText(static_cast<Count>(c))));
    }
}

} // namespace nuperako::classroom
