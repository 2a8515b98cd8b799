// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmalarm.h"

#include "AlarmOwner.h"
#include "AlarmSound.h"
#include "DurationBox.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SoundPlayer.h"
#include "scheduler/Duration.h"
#include "store/ini.h"
#include "ui/window/Messages.h"
#include "ui/window/WindowLook.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <iostream>

namespace notify {
namespace {

using ui::px;
using ui::twips;

// Read-only boxes on the button face, as in a dialog, so that they read as display rather than input.
void useButtonFace(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

// A box modal to the whole program (every message box and the open-file dialog are) blocks this window too
// and keeps its place: raising over it would hide the one window that can be answered. A window modal to
// another window only, such as the editor opened by Add, blocks nothing here; the alarm comes in front.
bool waitsForAnswer()
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal->windowModality() == Qt::ApplicationModal;
}

// On Wayland no window can put itself in front of others: the compositor decides, and asking it 25 times
// a second only floods it with activation requests. There the ring's notification reaches the user.
bool mayRaiseItself()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// To a screen reader the ringing window is an alert, which it speaks as it opens.
QAccessibleInterface* alertInterface(const QString& className, QObject* object)
{
    (void)className;
    auto* window = qobject_cast<frmalarm*>(object);
    return window != nullptr ? new QAccessibleWidget(window, QAccessible::AlertMessage) : nullptr;
}

} // namespace

frmalarm::frmalarm(AlarmOwner& owner, const platform::Files& files, platform::Dialogs& dialogs,
                   platform::SoundPlayerFactory& sounds, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_owner(owner), m_files(files), m_dialogs(dialogs), m_sounds(sounds)
{
    setObjectName("frmalarm");
    setWindowTitle("Alarm!");
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(px(5775), px(3720));
    static const bool alertInstalled = (QAccessible::installFactory(alertInterface), true);
    (void)alertInstalled;
    buildControls();
    Form_Load();
}

frmalarm::~frmalarm() = default;

void frmalarm::prepareFonts()
{
    // Qt reads the system's font list on the first use of any font, most of a second here; that must not
    // come between the start of the due minute and the window on screen. The window's own faces load in
    // a few milliseconds when it first draws.
    (void)QFontMetrics(QApplication::font()).height();
}

void frmalarm::buildControls()
{
    txttitle = new QLineEdit(this);
    txttitle->setObjectName("txttitle");
    txttitle->setGeometry(twips(105, 105, 4365, 435));
    txttitle->setReadOnly(true);
    txttitle->setFont(ui::classicFont(ui::Face::Sans, 12, true));
    useButtonFace(txttitle);

    Label1 = new QLabel("Memo:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(twips(165, 885, 1905, 225));
    Label1->setFont(ui::classicFont(ui::Face::Sans, 9.75, true));

    txtMemo = new QPlainTextEdit(this);
    txtMemo->setObjectName("txtMemo");
    ui::nameForScreenReaders(*txtMemo, "Memo");
    txtMemo->setGeometry(twips(120, 1185, 5595, 1830));
    txtMemo->setReadOnly(true);
    txtMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMemo->setTabChangesFocus(true);
    txtMemo->setFont(ui::classicFont(ui::Face::Serif, 11.25, true));
    useButtonFace(txtMemo);

    cmbtime = new QComboBox(this);
    cmbtime->setObjectName("cmbtime");
    cmbtime->setGeometry(twips(120, 3120, 1680, 315));
    cmbtime->setEditable(true);
    ui::nameForScreenReaders(*cmbtime, "Snooze Duration");
    // Enter in the box must not add the text to the (empty) list.
    cmbtime->setInsertPolicy(QComboBox::NoInsert);
    cmbtime->setEditText("Snooze Duration");
    cmbtime->setToolTip("Select from the list or enter a time(HH:MM AM/PM).");

    cmdSnooze = new QPushButton("Snooze", this);
    cmdSnooze->setObjectName("cmdSnooze");
    cmdSnooze->setGeometry(twips(1815, 3120, 1215, 375));

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(twips(3120, 3120, 1215, 375));
    OKButton->setDefault(true);

    Label9 = new QLabel("HH:MM", this);
    Label9->setObjectName("Label9");
    Label9->setGeometry(twips(360, 3480, 1215, 135));
    Label9->setFont(ui::classicFont(ui::Face::Sans, 6, false));

    // Focus order: OK first (it has the focus when the window opens), then Snooze, the title, the memo
    // and the duration box; the labels take no focus.
    setTabOrder(OKButton, cmdSnooze);
    setTabOrder(cmdSnooze, txttitle);
    setTabOrder(txttitle, txtMemo);
    setTabOrder(txtMemo, cmbtime);

    connect(cmdSnooze, &QPushButton::clicked, this, &frmalarm::cmdSnooze_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmalarm::OKButton_Click);

    // Enter is decided for the whole window: the duration box and the memo would otherwise take it.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(40);
    connect(Timer1, &QTimer::timeout, this, &frmalarm::Timer1_Timer);

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmalarm::noteFocusWindow);
}

void frmalarm::Form_Load()
{
    Timer1->start();
}

void frmalarm::Form_Activate()
{
    fillDurationBox();
    startSound();
}

void frmalarm::fillDurationBox()
{
    cmbtime->setEditText(
        QString::fromStdString(ini::ReadIni(platform::dataIniPath(m_files), "Alarm", "DSnooze", "00:05")));
}

void frmalarm::startSound()
{
    if (m_unloading)
        return;
    // The file is chosen once: the alarm deleted or moved in the main window while it rings keeps its
    // sound. The player (and with it the media back end) exists only while an alarm rings.
    if (m_sound) {
        m_sound->restart();
        return;
    }
    m_sound = std::make_unique<RingingSound>(m_sounds, std::cerr);
    m_sound->start(alarmSoundFile(m_owner, AlarmIndex, m_files), m_files.defaultSound(),
                   m_owner.soundLevel(AlarmIndex));
}

void frmalarm::Timer1_Timer()
{
    if (!waitsForAnswer() && mayRaiseItself()) {
        ui::bringToFront(*this);
    }
    if (m_sound)
        m_sound->tick();
}

void frmalarm::cmdSnooze_Click()
{
    const auto duration = readDurationBox(*cmbtime, m_dialogs);
    if (!duration)
        return;
    m_owner.SetSnoozeValue(AlarmIndex, duration->hours, duration->minutes, true);
    unload();
}

void frmalarm::OKButton_Click()
{
    m_owner.SetSnoozeValue(AlarmIndex, 0, 0, false);
    unload();
}

void frmalarm::unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    Timer1->stop();
    m_sound.reset(); // the sound ends with the window
    close();
    emit finished();
}

bool frmalarm::event(QEvent* event)
{
    // The window's activation counts when it takes the activation from another window of this program
    // (the main window, the editor): that resets the duration box and restarts the sound. Coming back
    // from another program does not count, or every 40 ms raise after the user looked elsewhere would
    // start the sound over.
    if (event->type() == QEvent::WindowActivate && m_shownBefore && m_otherWindowActiveSince &&
        !m_unloading) {
        m_otherWindowActiveSince = false;
        Form_Activate();
    }
    return QWidget::event(event);
}

void frmalarm::noteFocusWindow(QWindow* window)
{
    // nullptr: the program lost the focus to another program. The window's own pop-ups and message
    // boxes belong to it and do not count either.
    if (window == nullptr || window == windowHandle() || window->transientParent() == windowHandle())
        return;
    m_otherWindowActiveSince = true;
}

void frmalarm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    // The opener fills in the time and memo before the show; the alert carries them.
    setAccessibleName(windowTitle() + QLatin1Char(' ') + txttitle->text());
    setAccessibleDescription(txtMemo->toPlainText());
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    ui::centreOn(*this, screen());
    OKButton->setFocus();
    // The first show rings at once rather than waiting for the window system's activation, which a
    // window manager may delay or refuse. Loading the media back end for the first sound takes most of a
    // second, so the sound starts once the window has reached the screen.
    m_otherWindowActiveSince = false;
    fillDurationBox();
    QTimer::singleShot(0, this, &frmalarm::startSound);
}

void frmalarm::closeEvent(QCloseEvent* event)
{
    // Only OK and Snooze end an alarm; a close request from the window manager is ignored.
    if (m_unloading)
        event->accept();
    else
        event->ignore();
}

bool frmalarm::handleKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (focusWidget() == cmdSnooze)
        cmdSnooze->click();
    else
        OKButton->click();
    return true;
}

bool frmalarm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmalarm::keyPressEvent(QKeyEvent* event)
{
    if (handleKey(event))
        return;
    // Esc is not a way out of this window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace notify
