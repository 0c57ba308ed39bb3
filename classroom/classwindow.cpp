// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classwindow.h"

#include "classroom/classpicture.h"
#include "classroom/funnelview.h"
#include "classroom/qrcodeview.h"
#include "core/boardvariables.h"
#include "core/palette.h"
#include "core/tallyrows.h"
#include "platform/japanesefont.h"
#include "platform/qtconvert.h"
#include "platform/questionbox.h"
#include "pool/classdrawing.h"
#include "pool/classsession.h"
#include "pool/classtexts.h"
#include "pool/csvexport.h"
#include "pool/poolsummary.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace nuperako::classroom {

namespace {

constexpr int kRefreshMs = 200;  // at most five redraws a second
constexpr qreal kPointSize = 14; // replaced by a pixel size that follows the window's
// The text's pixel size: one of so many lines down the window, or of so many characters across.
constexpr int kLinesDown = 40;
constexpr int kCharactersAcross = 72;
constexpr int kLeastTextPixels = 12;
constexpr double kCodeScale = 3.2;  // the class's code, read from the back of the room
constexpr double kQrScale = 9;      // the QR code's side, in lines of text
constexpr int kDefaultWidth = 1280; // a projector's usual picture
constexpr int kDefaultHeight = 720;

QLabel *label(const QString &text, QWidget *parent, bool bold = false)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText); // nothing the window shows is markup
    if (bold) {
        QFont f; // bold only: the family and the size come from the window
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

void setTextColor(QWidget *w, Rgb color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, toQColor(color));
    p.setColor(QPalette::ButtonText, toQColor(color));
    w->setPalette(p);
}

} // namespace

ClassWindow::ClassWindow(QuestionBox &questions, bool servesPage, QWidget *parent)
    : QWidget(parent), m_questions(questions)
{
    setWindowTitle(toQString(classtexts::kTitle));
    setFont(japaneseFont(kPointSize));
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    columns->addLayout(left);
    left->addLayout(buildJoin(servesPage));
    m_headline = label({}, this);
    left->addWidget(m_headline);
    left->addLayout(buildTally());
    left->addLayout(buildClassControls());
    left->addStretch();
    columns->addLayout(buildPictures(), 1);

    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &ClassWindow::showPool);
    // On a projector the whole screen, and back.
    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });

    resize(kDefaultWidth, kDefaultHeight);
    scaleText();
}

QLayout *ClassWindow::buildJoin(bool servesPage)
{
    m_qr = new QrCodeView(this);
    m_code = label({}, this, true);
    m_code->setAccessibleName(toQString(classtexts::kCode));
    m_code->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_address = label({}, this);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *join = new QGridLayout;
    join->addWidget(m_qr, 0, 0, 4, 1);
    join->addWidget(label(toQString(classtexts::kCode), this), 0, 1);
    join->addWidget(m_code, 1, 1);
    join->addWidget(label(toQString(classtexts::kAddress), this), 2, 1);
    join->addWidget(m_address, 3, 1);
    if (!servesPage) {
        auto *noPage = label(toQString(classtexts::kNoPage), this, true);
        noPage->setWordWrap(true);
        setTextColor(noPage, paletteColor(4)); // dark red: a warning, apart from the tally's colours
        join->addWidget(noPage, 4, 0, 1, 2);
    }
    return join;
}

// The board's tally: its headings and row names, colours and italics.
QLayout *ClassWindow::buildTally()
{
    auto *tally = new QGridLayout;
    for (std::size_t column = 0; column < kTallyColumns.size(); ++column) {
        tally->addWidget(label(toQString(kTallyColumns[column]), this, true), 0, static_cast<int>(column) + 1,
                         Qt::AlignRight);
    }
    for (std::size_t c = 0; c < kCountCount; ++c) {
        const TallyRow &row = kTallyRows[c];
        auto *name = label(toQString(row.caption), this);
        if (row.italic) {
            QFont italic; // italic only: the family and the size come from the window
            italic.setItalic(true);
            name->setFont(italic);
        }
        m_counts[c] = label({}, this);
        m_ratios[c] = label({}, this);
        m_counts[c]->setAccessibleName(toQString(cellSpeech(static_cast<Count>(c), 1)));
        m_ratios[c]->setAccessibleName(toQString(cellSpeech(static_cast<Count>(c), 2)));
        for (QLabel *l : {name, m_counts[c], m_ratios[c]}) {
            if (row.color)
                setTextColor(l, *row.color);
        }
        const int r = static_cast<int>(c) + 1;
        tally->addWidget(name, r, 0);
        tally->addWidget(m_counts[c], r, 1, Qt::AlignRight);
        tally->addWidget(m_ratios[c], r, 2, Qt::AlignRight);
    }
    return tally;
}

QLayout *ClassWindow::buildClassControls()
{
    m_hideNames = new QCheckBox(toQString(classtexts::kHideNames), this);
    auto *newClass = new QPushButton(toQString(classtexts::kNewClass), this);
    auto *exportButton = new QPushButton(toQString(classtexts::kExport), this);
    m_reveal = new QCheckBox(toQString(classtexts::kReveal), this);
    auto *controls = new QGridLayout;
    controls->addWidget(m_hideNames, 0, 0);
    controls->addWidget(m_reveal, 0, 1);
    controls->addWidget(newClass, 1, 0);
    controls->addWidget(exportButton, 1, 1);
    connect(m_hideNames, &QCheckBox::toggled, this, &ClassWindow::showPool);
    // clicked, not toggled: the box follows the session, and only the teacher's click asks.
    connect(m_reveal, &QCheckBox::clicked, this, &ClassWindow::revealAsked);
    connect(newClass, &QPushButton::clicked, this, &ClassWindow::startNewClass);
    connect(exportButton, &QPushButton::clicked, this, &ClassWindow::exportClass);
    return controls;
}

// The class's curves above, the funnel below with its kinds and the button that removes an experiment.
QLayout *ClassWindow::buildPictures()
{
    auto *pictures = new QVBoxLayout;
    pictures->addWidget(label(toQString(classtexts::kGraph), this, true));
    m_graph = new ClassPicture(QStringLiteral("graph"), this);
    m_graph->setAccessibleName(toQString(classtexts::kGraph));
    m_graph->setDrawing([this](DrawingSurface &s) {
        pool::drawPooledGraph(m_session != nullptr ? m_session->history().points() : std::vector<pool::HistoryPoint>{},
                              s);
    });
    pictures->addWidget(m_graph, 1);

    auto *bar = new QHBoxLayout;
    bar->addWidget(label(toQString(classtexts::kFunnel), this, true));
    auto *kinds = new QButtonGroup(this);
    QPushButton *lastKind = nullptr;
    for (const ResultKind kind : kResultKinds) {
        auto *button = new QPushButton(toQString(nameOf(kind)), this);
        button->setCheckable(true);
        button->setChecked(kind == m_kind);
        setTextColor(button, colorOf(kind));
        kinds->addButton(button, static_cast<int>(kind));
        bar->addWidget(button);
        lastKind = button;
    }
    bar->addStretch();
    m_remove = new QPushButton(toQString(classtexts::kRemove), this);
    m_remove->setEnabled(false);
    bar->addWidget(m_remove);
    pictures->addLayout(bar);
    m_funnel = new FunnelView(this);
    m_funnel->setAccessibleName(toQString(classtexts::kFunnel));
    pictures->addWidget(m_funnel, 1);
    // From the kinds to the dots, and from a selected dot to removing it.
    setTabOrder(lastKind, m_funnel);
    setTabOrder(m_funnel, m_remove);

    connect(kinds, &QButtonGroup::idClicked, this, [this](int id) {
        m_kind = static_cast<ResultKind>(id);
        showPool();
    });
    connect(m_funnel, &FunnelView::selectionChanged, this,
            [this] { m_remove->setEnabled(m_funnel->selected() != nullptr); });
    connect(m_remove, &QPushButton::clicked, this, &ClassWindow::removeSelected);
    return pictures;
}

void ClassWindow::showClass(const pool::ClassSession &session, const QString &address)
{
    m_session = &session;
    m_code->setText(toQString(session.code()));
    m_address->setText(address);
    m_qr->setText(address);
    showPool();
}

void ClassWindow::sessionChanged()
{
    if (!m_refresh.isActive())
        m_refresh.start(kRefreshMs);
}

void ClassWindow::showPool()
{
    if (m_session == nullptr)
        return;
    const pool::PoolSummary summary = m_session->summary();
    QStringList lines;
    for (const std::string &line : summary.headlines())
        lines << toQString(line);
    m_headline->setText(lines.join(u'\n'));
    for (std::size_t c = 0; c < kCountCount; ++c) {
        m_counts[c]->setText(toQString(summary.tally.countText(static_cast<Count>(c))));
        m_ratios[c]->setText(toQString(summary.tally.ratioText(static_cast<Count>(c))));
    }
    m_reveal->setChecked(m_session->revealed());
    m_graph->redraw();
    m_funnel->setFunnel(pool::makeFunnel(summary, m_kind, m_hideNames->isChecked()));
}

void ClassWindow::removeSelected()
{
    const pool::FunnelDot *dot = m_funnel->selected();
    if (dot == nullptr)
        return;
    const int student = dot->student;
    const std::int64_t experiment = dot->experiment;
    const QString question = toQString(classtexts::kRemoveQuestion).arg(toQString(dot->label));
    if (m_questions.ask(this, question, toQString(classtexts::kRemoveTitle)) != kAnswerYes)
        return;
    emit removeAsked(student, experiment);
    showPool();
}

void ClassWindow::startNewClass()
{
    const QString question = toQString(classtexts::kNewClassQuestion).arg(toQString(m_session->code()));
    if (m_questions.ask(this, question, toQString(classtexts::kNewClassTitle)) == kAnswerYes)
        emit newClassAsked();
}

void ClassWindow::newClassFailed()
{
    QMessageBox::warning(this, windowTitle(), toQString(classtexts::kNewClassFailed));
}

void ClassWindow::exportClass()
{
    const QString classCode = toQString(m_session->code());
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("クラスの実験を書き出す"),
        QDir::home().filePath(QStringLiteral("nuperako-%1.csv").arg(classCode)), QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty())
        return;
    // Written whole or not at all: a half-written file would pass for the class's data.
    QSaveFile out(file);
    const std::string csv = pool::experimentsCsv(m_session->summary());
    if (!out.open(QIODevice::WriteOnly) || out.write(csv.data(), static_cast<qint64>(csv.size())) < 0 ||
        !out.commit()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("%1 に書き出せませんでした：%2").arg(file, out.errorString()));
    }
}

void ClassWindow::resizeEvent(QResizeEvent *event)
{
    scaleText();
    QWidget::resizeEvent(event);
}

void ClassWindow::scaleText()
{
    const int textPixels = std::max(kLeastTextPixels, std::min(height() / kLinesDown, width() / kCharactersAcross));
    if (font().pixelSize() == textPixels)
        return;
    QFont text = font();
    text.setPixelSize(textPixels);
    setFont(text);
    QToolTip::setFont(text); // the funnel's names, read from the back of the room too
    QFont large = m_code->font();
    large.setPixelSize(static_cast<int>(textPixels * kCodeScale));
    m_code->setFont(large);
    const int side = static_cast<int>(textPixels * kQrScale);
    m_qr->setFixedSize(side, side);
}

} // namespace nuperako::classroom
