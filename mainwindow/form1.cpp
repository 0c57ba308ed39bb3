// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "form1.h"

#include "form2.h"
#include "form4.h"
#include "imagebox.h"
#include "japanesefont.h"
#include "label.h"
#include "line.h"
#include "module1.h"
#include "palette.h"
#include "program.h"
#include "questionbox.h"
#include "soundcontrol.h"
#include "tallytext.h"
#include "timer.h"
#include "twips.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

using namespace std::chrono_literals;

namespace nuperako {

namespace {

constexpr qreal kLabelPointSize = 15.75;
constexpr qreal kActionPointSize = 12.0;

// The shuffle phase of each player.
constexpr std::array<std::int16_t Form1State::*, 3> kHyouji{&Form1State::hyouji1, &Form1State::hyouji2,
                                                            &Form1State::hyouji3};

// The hands on screen at start-up, after a reset and on activation: A rock, B scissors, C paper.
constexpr std::array<int, 3> kInitialHands{kGuu, kPii, kPaa};

QString resultCaption(Result result)
{
    switch (result) {
    case Result::Aiko: return QStringLiteral("あいこ");
    case Result::Kati: return QStringLiteral("勝ち");
    case Result::Make: return QStringLiteral("負け");
    }
    return {};
}

// A hand as a screen reader names it.
QString handCaption(int code)
{
    switch (code) {
    case kGuu: return QStringLiteral("グー");
    case kPii: return QStringLiteral("チョキ");
    case kPaa: return QStringLiteral("パー");
    default: return {};
    }
}

QColor resultColor(Result result)
{
    switch (result) {
    case Result::Aiko: return paletteColor(kDrawColor);
    case Result::Kati: return paletteColor(kWinColor);
    case Result::Make: return paletteColor(kLoseColor);
    }
    return {};
}

QPushButton *makeButton(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

Form1::Form1(Module1 &shared, RandomSource &random, Clock &clock, QWidget *parent)
    : Form(parent),
      m_shared(shared),
      m_experiment(shared, m_vars, random, clock),
      m_questionBox(std::make_unique<QuestionBox>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" ぬぺらこ"));
    setWindowIcon(QIcon(QStringLiteral(":/icon.xpm")));
    setClientGeometry(4035, 2040, 7320, 7455);

    buildTopStrip();
    buildPlayers();
    buildTally();
    buildActionButtons();
    buildTimers();

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Command6);
    setTabOrder(Command6, Command7);
    setTabOrder(Command7, Command8);
    Command1->setFocus();
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

void Form1::buildTopStrip()
{
    Command6 = makeButton(QStringLiteral("Command6"), QStringLiteral("終了"), twipsRect(0, 0, 975, 375), this);
    Command5 = makeButton(QStringLiteral("Command5"), QStringLiteral("HELP"), twipsRect(5400, 0, 975, 375), this);
    Command4 = makeButton(QStringLiteral("Command4"), QStringLiteral("初期化"), twipsRect(6360, 0, 975, 375), this);
    Line1 = new Line(QStringLiteral("Line1"), 0, 7320, 360, this);
    MMControl1 = new SoundControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));

    connect(Command4, &QPushButton::clicked, this, &Form1::command4Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::command5Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::command6Click);
}

void Form1::buildPlayers()
{
    const QPixmap rock(QStringLiteral(":/guu.xpm"));
    const QPixmap scissors(QStringLiteral(":/pii.xpm"));
    const QPixmap paper(QStringLiteral(":/paa.xpm"));
    const QFont font = japaneseFont(kLabelPointSize, true);

    struct PlayerElements {
        ImageBox *Form1::*guu;
        ImageBox *Form1::*pii;
        ImageBox *Form1::*paa;
        Label *Form1::*name;
        Label *Form1::*result;
        const char16_t *names[5];
        const char16_t *caption;
        int pictureLeft;
    };
    static const std::array<PlayerElements, 3> kPlayerElements{{
        {&Form1::guu1,
         &Form1::pii1,
         &Form1::paa1,
         &Form1::Label1,
         &Form1::hanntei1,
         {u"guu1", u"pii1", u"paa1", u"Label1", u"hanntei1"},
         u"Ａくん",
         1080},
        {&Form1::guu2,
         &Form1::pii2,
         &Form1::paa2,
         &Form1::Label2,
         &Form1::hanntei2,
         {u"guu2", u"pii2", u"paa2", u"Label2", u"hanntei2"},
         u"Ｂくん",
         3000},
        {&Form1::guu3,
         &Form1::pii3,
         &Form1::paa3,
         &Form1::Label3,
         &Form1::hanntei3,
         {u"guu3", u"pii3", u"paa3", u"Label3", u"hanntei3"},
         u"Ｃくん",
         4920},
    }};

    for (std::size_t p = 0; p < kPlayerElements.size(); ++p) {
        const PlayerElements &e = kPlayerElements[p];
        const QRect picture = twipsRect(e.pictureLeft, 600, 1335, 1215);
        this->*e.guu = new ImageBox(QString::fromUtf16(e.names[0]), rock, this);
        this->*e.pii = new ImageBox(QString::fromUtf16(e.names[1]), scissors, this);
        this->*e.paa = new ImageBox(QString::fromUtf16(e.names[2]), paper, this);
        m_hands[p] = {this->*e.guu, this->*e.pii, this->*e.paa};
        const QString player = QString::fromUtf16(e.caption);
        for (int hand = kGuu; hand <= kPaa; ++hand) {
            ImageBox *box = m_hands[p].at(hand - 1);
            box->setGeometry(picture);
            box->setAccessibleName(player + QStringLiteral(": ") + handCaption(hand));
        }

        const int labelLeft = e.pictureLeft + 120;
        this->*e.name = new Label(QString::fromUtf16(e.names[3]), QString::fromUtf16(e.caption), this);
        (this->*e.name)->setGeometry(twipsRect(labelLeft, 1920, 1095, 375));
        this->*e.result = new Label(QString::fromUtf16(e.names[4]), QString(), this);
        (this->*e.result)->setGeometry(twipsRect(labelLeft, 2400, 1095, 375));
        (this->*e.result)->setAccessiblePrefix(player + QStringLiteral(" 結果"));
        (this->*e.name)->setFont(font);
        (this->*e.result)->setFont(font);
        m_results[p] = this->*e.result;
    }
    showInitialHands();
}

void Form1::buildTally()
{
    struct Cell {
        Label *Form1::*label;
        const char16_t *name;
        const char16_t *text;
    };
    struct Row {
        int top;
        Cell caption, count, ratio;
        int colorIndex; // -1: the default text colour
        bool italic;
    };
    static const std::array<Row, 10> kRows{{
        {3120,
         {nullptr, nullptr, nullptr},
         {&Form1::Label13, u"Label13", u"回数"},
         {&Form1::Label14, u"Label14", u"割合"},
         -1,
         false},
        {3600,
         {&Form1::Label4, u"Label4", u"あいこ"},
         {&Form1::aikolabel, u"aikolabel", u""},
         {&Form1::aikow, u"aikow", u""},
         -1,
         true},
        {4080,
         {&Form1::Label5, u"Label5", u"Ａ一人勝ち"},
         {&Form1::a1katilabel, u"a1katilabel", u""},
         {&Form1::a1katiw, u"a1katiw", u""},
         kWinColor,
         false},
        {4440,
         {&Form1::Label6, u"Label6", u"Ｂ一人勝ち"},
         {&Form1::b1katilabel, u"b1katilabel", u""},
         {&Form1::b1katiw, u"b1katiw", u""},
         kWinColor,
         false},
        {4800,
         {&Form1::Label7, u"Label7", u"Ｃ一人勝ち"},
         {&Form1::c1katilabel, u"c1katilabel", u""},
         {&Form1::c1katiw, u"c1katiw", u""},
         kWinColor,
         false},
        {5160,
         {&Form1::Label8, u"Label8", u"一人勝ち"},
         {&Form1::abc1katiLabel, u"abc1katiLabel", u""},
         {&Form1::abc1katiw, u"abc1katiw", u""},
         -1,
         true},
        {5640,
         {&Form1::Label12, u"Label12", u"Ａ一人負け"},
         {&Form1::a1makelabel, u"a1makelabel", u""},
         {&Form1::a1makew, u"a1makew", u""},
         kLoseColor,
         false},
        {6000,
         {&Form1::Label11, u"Label11", u"Ｂ一人負け"},
         {&Form1::b1makelabel, u"b1makelabel", u""},
         {&Form1::b1makew, u"b1makew", u""},
         kLoseColor,
         false},
        {6360,
         {&Form1::Label10, u"Label10", u"Ｃ一人負け"},
         {&Form1::c1makelabel, u"c1makelabel", u""},
         {&Form1::c1makew, u"c1makew", u""},
         kLoseColor,
         false},
        {6720,
         {&Form1::Label9, u"Label9", u"一人負け"},
         {&Form1::abc1makelabel, u"abc1makelabel", u""},
         {&Form1::abc1makew, u"abc1makew", u""},
         -1,
         true},
    }};

    auto place = [this](const Cell &cell, int left, int top, const QFont &font, int colorIndex) {
        auto *label = new Label(QString::fromUtf16(cell.name), QString::fromUtf16(cell.text), this);
        label->setGeometry(twipsRect(left, top, 1095, 375));
        label->setFont(font);
        if (colorIndex >= 0)
            label->setForeColor(paletteColor(colorIndex));
        this->*cell.label = label;
        return label;
    };

    std::size_t written = 0;
    for (const Row &row : kRows) {
        const QFont font = japaneseFont(kLabelPointSize, true, row.italic);
        if (row.caption.label) {
            place(row.caption, 360, row.top, font, row.colorIndex)->setGeometry(twipsRect(360, row.top, 1695, 375));
            const QString caption = QString::fromUtf16(row.caption.text);
            m_countCells.at(written) = place(row.count, 2040, row.top, font, row.colorIndex);
            m_countCells.at(written)->setAccessiblePrefix(caption + QStringLiteral(" 回数"));
            m_ratioCells.at(written) = place(row.ratio, 3120, row.top, font, row.colorIndex);
            m_ratioCells.at(written)->setAccessiblePrefix(caption + QStringLiteral(" 割合"));
            ++written;
        } else {
            place(row.count, 2040, row.top, font, row.colorIndex);
            place(row.ratio, 3120, row.top, font, row.colorIndex);
        }
    }
}

void Form1::buildActionButtons()
{
    const QFont font = japaneseFont(kActionPointSize, true);
    auto action = [&](const QString &name, const QString &text, int top) {
        QPushButton *button = makeButton(name, text, twipsRect(4920, top, 1815, 495), this);
        button->setFont(font);
        return button;
    };
    Command1 = action(QStringLiteral("Command1"), QStringLiteral("ヌペラコ"), 3720);
    Command2 = action(QStringLiteral("Command2"), QStringLiteral("ポ　ン"), 4320);
    Command3 = action(QStringLiteral("Command3"), QStringLiteral("自動開始"), 5160);
    Command7 = action(QStringLiteral("Command7"), QStringLiteral("自動停止"), 5760);
    Command8 = action(QStringLiteral("Command8"), QStringLiteral("グラフ表示"), 6600);
    Command2->setEnabled(false);
    Command7->setEnabled(false);

    connect(Command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::command2Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::command3Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::command7Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::command8Click);
}

void Form1::buildTimers()
{
    Timer1 = new Timer(50ms, this);
    Timer2 = new Timer(50ms, this);
    Timer3 = new Timer(50ms, this);
    Timer4 = new Timer(500ms, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer4->setObjectName(QStringLiteral("Timer4"));
    m_shuffleTimers = {Timer1, Timer2, Timer3};

    connect(Timer1, &Timer::tick, this, [this] { shuffleTick(Player::A); });
    connect(Timer2, &Timer::tick, this, [this] { shuffleTick(Player::B); });
    connect(Timer3, &Timer::tick, this, [this] { shuffleTick(Player::C); });
    connect(Timer4, &Timer::tick, this, &Form1::timer4Tick);
}

void Form1::load()
{
    m_experiment.initialise();
    for (Label *result : m_results)
        result->setCaption(QString());
}

void Form1::activate()
{
    // During a manual shuffle "ポ　ン" is the only way to stop the hands: leave it enabled.
    const bool manualShuffle = Timer1->isEnabled() && m_vars.jidou != 1;
    if (manualShuffle)
        return;
    Command2->setEnabled(false);
    Command7->setEnabled(false);
    showInitialHands();
}

void Form1::command1Click()
{
    Command1->setEnabled(false);
    if (m_vars.jidou != 1)
        Command2->setEnabled(true);
    Command3->setEnabled(false);
    Command7->setEnabled(m_vars.jidou == 1);
    for (Timer *timer : m_shuffleTimers)
        timer->setEnabled(true);
    for (QPushButton *button : {Command4, Command5, Command6, Command8})
        button->setEnabled(false);
}

void Form1::command2Click()
{
    const bool ended = m_shared.owari == 1;
    Command2->setEnabled(false);
    Command1->setEnabled(!ended);
    Command3->setEnabled(!ended);
    Command7->setEnabled(m_vars.jidou == 1);
    for (QPushButton *button : {Command4, Command5, Command6, Command8})
        button->setEnabled(true);

    for (Player p : kPlayers) {
        m_shuffleTimers.at(index(p))->setEnabled(false);
        showHand(p, m_experiment.drawHand(p));
    }
    if (const auto judgement = m_experiment.judge()) {
        showJudgement(*judgement);
        m_experiment.tally(judgement->outcome);
    }
    showTallies();
    m_experiment.recordHistory();
    if (m_experiment.applyEndRule())
        enterEndedState();
}

void Form1::command3Click()
{
    Timer4->setEnabled(true);
    m_vars.jidou = 1;
}

void Form1::command4Click()
{
    soundCue(QStringLiteral("mypinpon.wav"));
    // Stopping the automatic timer matters in the half second after "自動開始",
    // when this button is still enabled and the timer would go on playing rounds.
    Timer4->setEnabled(false);
    m_experiment.initialise();
    for (Label *result : m_results)
        result->setCaption(QString());
    Command1->setEnabled(true);
    Command2->setEnabled(false);
    Command3->setEnabled(true);
    Command7->setEnabled(false);
    showInitialHands();
    for (Label *cell : m_countCells)
        cell->setCaption(QString());
    for (Label *cell : m_ratioCells)
        cell->setCaption(QString());
}

void Form1::command5Click()
{
    soundCue(QStringLiteral("mypinpon.wav"));
    if (!m_help)
        m_help = new Form4(*this);
    m_help->showModeless();
}

void Form1::command6Click()
{
    soundCue(QStringLiteral("endpinpon.wav"));
    m_vars.kotae = m_questionBox->ask(this, QStringLiteral("終了していいですか？"), QStringLiteral("ぬぺらこ"));
    if (m_vars.kotae == QuestionBox::kYes)
        endProgram();
}

void Form1::command7Click()
{
    for (Timer *timer : {Timer1, Timer2, Timer3, Timer4})
        timer->setEnabled(false);
    Command1->setEnabled(true);
    Command2->setEnabled(false);
    for (QPushButton *button : {Command3, Command4, Command5, Command6})
        button->setEnabled(true);
    Command7->setEnabled(false);
    Command8->setEnabled(true);
    m_vars.jidou = 0;
}

void Form1::command8Click()
{
    if (!m_graph)
        m_graph = new Form2(m_shared);
    m_graph->showModeless();
}

void Form1::closeEvent(QCloseEvent *event)
{
    for (Timer *timer : {Timer1, Timer2, Timer3, Timer4})
        timer->setEnabled(false);
    if (m_graph)
        m_graph->close();
    if (m_help)
        m_help->close();
    event->accept();
}

void Form1::shuffleTick(Player player)
{
    std::int16_t &phase = m_vars.*kHyouji.at(index(player));
    if (!isHandCode(phase))
        return;
    showHand(player, phase);
    phase = static_cast<std::int16_t>(phase % 3 + 1);
}

void Form1::timer4Tick()
{
    command2Click();
    command1Click();
}

void Form1::showHand(Player player, int code)
{
    if (!isHandCode(code))
        return;
    const auto &pictures = m_hands.at(index(player));
    for (int hand = kGuu; hand <= kPaa; ++hand)
        pictures.at(hand - 1)->setVisible(hand == code);
}

void Form1::showInitialHands()
{
    for (Player p : kPlayers)
        showHand(p, kInitialHands.at(index(p)));
}

void Form1::showJudgement(const Judgement &judgement)
{
    if (judgement.outcome == Outcome::Aiko) {
        for (Label *label : m_results)
            label->setForeColor(resultColor(Result::Aiko));
        for (Label *label : m_results)
            label->setCaption(resultCaption(Result::Aiko));
        return;
    }
    for (std::size_t p = 0; p < m_results.size(); ++p) {
        m_results[p]->setForeColor(resultColor(judgement.results.at(p)));
        m_results[p]->setCaption(resultCaption(judgement.results.at(p)));
    }
}

void Form1::showTallies()
{
    const std::array<std::int16_t, 9> counts{m_shared.aiko, m_vars.a1kati,     m_vars.b1kati,
                                             m_vars.c1kati, m_shared.abc1kati, m_vars.a1make,
                                             m_vars.b1make, m_vars.c1make,     m_shared.abc1make};
    for (std::size_t i = 0; i < counts.size(); ++i)
        m_countCells.at(i)->setCaption(QString::fromStdString(countText(counts.at(i))));
    for (std::size_t i = 0; i < counts.size(); ++i)
        m_ratioCells.at(i)->setCaption(QString::fromStdString(ratioText(m_experiment.ratio(counts.at(i)))));
}

void Form1::soundCue(const QString &fileName)
{
    MMControl1->setCommand(QStringLiteral("Stop"));
    MMControl1->setCommand(QStringLiteral("Close"));
    MMControl1->setFileName(fileName);
    MMControl1->setCommand(QStringLiteral("Open"));
    MMControl1->setCommand(QStringLiteral("Sound"));
}

void Form1::enterEndedState()
{
    for (Timer *timer : {Timer1, Timer2, Timer3, Timer4})
        timer->setEnabled(false);
    for (QPushButton *button : {Command1, Command2, Command3})
        button->setEnabled(false);
    for (QPushButton *button : {Command4, Command5, Command6})
        button->setEnabled(true);
    Command7->setEnabled(false);
    Command8->setEnabled(true);
}

} // namespace nuperako
