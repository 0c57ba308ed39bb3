// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "mainwindow/form1.h"

#include "graphwindow/form2.h"
#include "helpwindow/form4.h"
#include "mainwindow/boardlayout.h"
#include "platform/commandbutton.h"
#include "platform/imagebox.h"
#include "platform/japanesefont.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/program.h"
#include "platform/qtconvert.h"
#include "platform/questionbox.h"
#include "platform/soundcontrol.h"
#include "platform/timer.h"
#include "platform/twips.h"
#include "resources/pictures.h"

#include <QCloseEvent>
#include <QPixmap>

#include <optional>

namespace nuperako {

using namespace boardlayout;

Form1::Form1(Module1 &shared, RandomSource &random, Clock &clock, QWidget *parent)
    : Form(parent), m_shared(shared), m_model(shared, random, clock), m_questionBox(std::make_unique<QuestionBox>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(programIcon());
    setClientGeometry(kClientArea.left, kClientArea.top, kClientArea.width, kClientArea.height);

    buildButtons();
    new Line(QStringLiteral("Line1"), kLine.left, kLine.left + kLine.width, kLine.top, this);
    MMControl1 = new SoundControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    buildPlayers();
    buildTally();
    buildTimers();
    showState();
}

Form1::~Form1()
{
    delete m_graph;
    delete m_help;
}

void Form1::setQuestionBox(std::unique_ptr<QuestionBox> questionBox)
{
    m_questionBox = std::move(questionBox);
}

void Form1::buildButtons()
{
    const QFont large = japaneseFont(kActionPointSize, true);
    for (std::size_t b = 0; b < kButtonCount; ++b) {
        const ButtonElement &e = kButtonElements[b];
        auto *button = new CommandButton(QStringLiteral("Command%1").arg(b + 1), QString::fromUtf8(e.caption),
                                         toQRect(e.place), this);
        if (e.large)
            button->setFont(large);
        connect(button, &QPushButton::clicked, this, [this, which = static_cast<Button>(b)] {
            m_model.click(which);
            afterEvent();
        });
        m_buttons[b] = button;
    }
    for (std::size_t b = 1; b < kButtonCount; ++b)
        setTabOrder(m_buttons[b - 1], m_buttons[b]);
    m_buttons[index(Button::Command1)]->setFocus();
}

void Form1::buildPlayers()
{
    const std::array<QPixmap, 3> hands{handPicture(Hand::Guu), handPicture(Hand::Pii), handPicture(Hand::Paa)};
    const QFont font = japaneseFont(kLabelPointSize, true);
    for (Player p : kPlayers) {
        const PlayerElements &e = kPlayerElements[index(p)];
        const QString player = QString::fromUtf8(e.name);
        for (std::size_t h = 0; h < hands.size(); ++h) {
            auto *box = new ImageBox(QString::fromLatin1(e.ids[h]), hands[h], this);
            box->setGeometry(twipsRect(e.left, kPictureTop, kPictureWidth, kPictureHeight));
            box->setAccessibleName(QString::fromStdString(handSpeech(p, kHands[h])));
            m_pictures[index(p)][h] = box;
        }
        new Label(QString::fromLatin1(e.ids[3]), player, toQRect(nameCell(p)), font, this);
        auto *result = new Label(QString::fromLatin1(e.ids[4]), QString(), toQRect(resultCell(p)), font, this);
        result->setAccessiblePrefix(QString::fromStdString(resultSpeech(p)));
        m_results[index(p)] = result;
    }
}

void Form1::buildTally()
{
    const QFont headings = japaneseFont(kLabelPointSize, true);
    for (std::size_t column = 0; column < kHeadings.size(); ++column) {
        const Heading &h = kHeadings[column];
        new Label(QString::fromLatin1(h.id), toQString(kTallyColumns[column]), toQRect(h.place), headings, this);
    }

    for (std::size_t c = 0; c < kCountCount; ++c) {
        const TallyRow &row = kTallyRows[c];
        const auto &ids = kTallyCells[c].ids;
        const auto count = static_cast<Count>(c);
        const QFont font = japaneseFont(kLabelPointSize, true, row.italic);
        const std::array<Label *, 3> cells{
            new Label(QString::fromLatin1(ids[0]), toQString(row.caption), toQRect(tallyCell(count, 0)), font, this),
            new Label(QString::fromLatin1(ids[1]), QString(), toQRect(tallyCell(count, 1)), font, this),
            new Label(QString::fromLatin1(ids[2]), QString(), toQRect(tallyCell(count, 2)), font, this)};
        if (row.color) {
            for (Label *cell : cells)
                cell->setForeColor(toQColor(*row.color));
        }
        cells[1]->setAccessiblePrefix(QString::fromStdString(cellSpeech(count, 1)));
        cells[2]->setAccessiblePrefix(QString::fromStdString(cellSpeech(count, 2)));
        m_countCells[c] = cells[1];
        m_ratioCells[c] = cells[2];
    }
}

void Form1::buildTimers()
{
    for (std::size_t t = 0; t < kTimerCount; ++t) {
        const auto which = static_cast<BoardTimer>(t);
        auto *timer = new Timer(kTimerIntervals[t], this);
        timer->setObjectName(QStringLiteral("Timer%1").arg(t + 1));
        connect(timer, &Timer::tick, this, [this, which] {
            m_model.tick(which);
            afterEvent();
        });
        m_timers[t] = timer;
    }
}

void Form1::load()
{
    m_model.load();
    afterEvent();
}

void Form1::activate()
{
    m_model.activate();
    afterEvent();
}

void Form1::closeEvent(QCloseEvent *event)
{
    m_model.frameClosed();
    afterEvent();
    event->accept();
}

void Form1::afterEvent()
{
    showState();
    // Taken first: the exit question waits in an event loop of its own, where ticks come in.
    for (const Request &request : m_model.takeRequests())
        carryOut(request);
}

void Form1::showState()
{
    for (std::size_t b = 0; b < kButtonCount; ++b)
        m_buttons[b]->setEnabled(m_model.isEnabled(static_cast<Button>(b)));
    for (std::size_t t = 0; t < kTimerCount; ++t) {
        const auto timer = static_cast<BoardTimer>(t);
        // A start the timer has not seen yet restarts it, so it ticks one interval later.
        if (m_model.startsOf(timer) != m_timerStarts[t]) {
            m_timerStarts[t] = m_model.startsOf(timer);
            m_timers[t]->setEnabled(false);
        }
        m_timers[t]->setEnabled(m_model.isRunning(timer));
    }
    for (Player p : kPlayers) {
        for (Hand h : kHands)
            m_pictures[index(p)][static_cast<std::size_t>(code(h) - 1)]->setVisible(m_model.shownHand(p) == h);
        const ResultCell &result = m_model.result(p);
        if (result.color)
            m_results[index(p)]->setForeColor(toQColor(*result.color));
        m_results[index(p)]->setCaption(toQString(result.caption));
    }
    for (std::size_t c = 0; c < kCountCount; ++c) {
        m_countCells[c]->setCaption(toQString(m_model.countText(static_cast<Count>(c))));
        m_ratioCells[c]->setCaption(toQString(m_model.ratioText(static_cast<Count>(c))));
    }
}

void Form1::carryOut(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::PlayCue: MMControl1->play(toQString(request.soundFile)); break;
    case Request::Kind::OpenGraph: (m_graph ? m_graph : m_graph = new Form2(m_shared))->showModeless(); break;
    case Request::Kind::OpenHelp: (m_help ? m_help : m_help = new Form4(*this))->showModeless(); break;
    case Request::Kind::AskToExit:
        m_model.exitAnswered(m_questionBox->ask(this, toQString(kExitQuestion), toQString(kExitTitle)));
        afterEvent();
        break;
    case Request::Kind::EndProgram: endProgram(); break;
    }
}

} // namespace nuperako
