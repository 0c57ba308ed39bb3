// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "mainwindow/form1.h"

#include "graphwindow/form2.h"
#include "helpwindow/form4.h"
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

namespace {

constexpr qreal kLabelPointSize = 15.75;
constexpr qreal kActionPointSize = 12.0;

struct PlayerElements {
    const char *name;                // "Ａくん"
    std::array<const char *, 5> ids; // rock, scissors and paper pictures, name label, result label
    int left;                        // of the pictures, in twips
};
constexpr std::array<PlayerElements, 3> kPlayerElements{{
    {"Ａくん", {"guu1", "pii1", "paa1", "Label1", "hanntei1"}, 1080},
    {"Ｂくん", {"guu2", "pii2", "paa2", "Label2", "hanntei2"}, 3000},
    {"Ｃくん", {"guu3", "pii3", "paa3", "Label3", "hanntei3"}, 4920},
}};

// The buttons by Button: caption and place in twips; the large ones run the experiment.
struct ButtonElement {
    const char *caption;
    int left, top, width, height;
    bool large;
};
constexpr std::array<ButtonElement, kButtonCount> kButtonElements{{
    {"ヌペラコ", 4920, 3720, 1815, 495, true},
    {"ポ　ン", 4920, 4320, 1815, 495, true},
    {"自動開始", 4920, 5160, 1815, 495, true},
    {"初期化", 6360, 0, 975, 375, false},
    {"HELP", 5400, 0, 975, 375, false},
    {"終了", 0, 0, 975, 375, false},
    {"自動停止", 4920, 5760, 1815, 495, true},
    {"グラフ表示", 4920, 6600, 1815, 495, true},
}};

// A hand as a screen reader names it.
constexpr std::array<const char *, 3> kHandWords{"グー", "チョキ", "パー"};

// The tally's rows in the order of Count, top to bottom.
struct TallyRow {
    int top;
    const char *caption;
    std::array<const char *, 3> ids; // caption, count and ratio cells
    std::optional<Rgb> color;        // none: the default text colour
    bool italic;
};
constexpr std::array<TallyRow, kCountCount> kTallyRows{{
    {3600, "あいこ", {"Label4", "aikolabel", "aikow"}, std::nullopt, true},
    {4080, "Ａ一人勝ち", {"Label5", "a1katilabel", "a1katiw"}, kWinColor, false},
    {4440, "Ｂ一人勝ち", {"Label6", "b1katilabel", "b1katiw"}, kWinColor, false},
    {4800, "Ｃ一人勝ち", {"Label7", "c1katilabel", "c1katiw"}, kWinColor, false},
    {5160, "一人勝ち", {"Label8", "abc1katiLabel", "abc1katiw"}, std::nullopt, true},
    {5640, "Ａ一人負け", {"Label12", "a1makelabel", "a1makew"}, kLoseColor, false},
    {6000, "Ｂ一人負け", {"Label11", "b1makelabel", "b1makew"}, kLoseColor, false},
    {6360, "Ｃ一人負け", {"Label10", "c1makelabel", "c1makew"}, kLoseColor, false},
    {6720, "一人負け", {"Label9", "abc1makelabel", "abc1makew"}, std::nullopt, true},
}};

} // namespace

Form1::Form1(Module1 &shared, RandomSource &random, Clock &clock, QWidget *parent)
    : Form(parent), m_shared(shared), m_model(shared, random, clock), m_questionBox(std::make_unique<QuestionBox>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" ぬぺらこ"));
    setWindowIcon(programIcon());
    setClientGeometry(4035, 2040, 7320, 7455);

    buildButtons();
    new Line(QStringLiteral("Line1"), 0, 7320, 360, this);
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
                                         QRect(e.left, e.top, e.width, e.height), this);
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
            box->setGeometry(twipsRect(e.left, 600, 1335, 1215));
            box->setAccessibleName(player + QStringLiteral(": ") + QString::fromUtf8(kHandWords[h]));
            m_pictures[index(p)][h] = box;
        }
        new Label(QString::fromLatin1(e.ids[3]), player, QRect(e.left + 120, 1920, 1095, 375), font, this);
        auto *result =
            new Label(QString::fromLatin1(e.ids[4]), QString(), QRect(e.left + 120, 2400, 1095, 375), font, this);
        result->setAccessiblePrefix(player + QStringLiteral(" 結果"));
        m_results[index(p)] = result;
    }
}

void Form1::buildTally()
{
    const QFont headings = japaneseFont(kLabelPointSize, true);
    new Label(QStringLiteral("Label13"), QStringLiteral("回数"), QRect(2040, 3120, 1095, 375), headings, this);
    new Label(QStringLiteral("Label14"), QStringLiteral("割合"), QRect(3120, 3120, 1095, 375), headings, this);

    for (std::size_t c = 0; c < kCountCount; ++c) {
        const TallyRow &row = kTallyRows[c];
        const QFont font = japaneseFont(kLabelPointSize, true, row.italic);
        const QString caption = QString::fromUtf8(row.caption);
        const std::array<Label *, 3> cells{
            new Label(QString::fromLatin1(row.ids[0]), caption, QRect(360, row.top, 1695, 375), font, this),
            new Label(QString::fromLatin1(row.ids[1]), QString(), QRect(2040, row.top, 1095, 375), font, this),
            new Label(QString::fromLatin1(row.ids[2]), QString(), QRect(3120, row.top, 1095, 375), font, this)};
        if (row.color) {
            for (Label *cell : cells)
                cell->setForeColor(toQColor(*row.color));
        }
        cells[1]->setAccessiblePrefix(caption + QStringLiteral(" 回数"));
        cells[2]->setAccessiblePrefix(caption + QStringLiteral(" 割合"));
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
