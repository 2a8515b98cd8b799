// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's fixed layout, in twips.
#include "Form1.h"
#include "ui/window/WindowLook.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using ui::px;
using ui::twips;

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect place)
{
    auto* result = new QPushButton(QString::fromUtf8(caption), parent);
    result->setObjectName(QString::fromUtf8(name));
    result->setGeometry(place);
    result->setAutoDefault(false);
    return result;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, QRect place, qreal points, bool bold)
{
    auto* result = new QLabel(QString::fromUtf8(caption), parent);
    result->setObjectName(QString::fromUtf8(name));
    result->setGeometry(place);
    QFont font = result->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    result->setFont(font);
    return result;
}

} // namespace

void Form1::buildControls()
{
    setWindowTitle(QStringLiteral("Orvane Wakery"));
    // Fixed single border with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The captions are measured for the classic sans face at 8.25 pt; the desktop's usual sans serif is
    // wider and would cut them short.
    setFont(ui::classicFont(ui::Face::Sans, 8.25, false));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    ListView1 = new QTreeWidget(client);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ui::nameForScreenReaders(*ListView1, QStringLiteral("Alarms"));
    ListView1->setGeometry(twips(105, 60, 7830, 2490));
    ListView1->setColumnCount(0); // columns come with the first load that finds Data.ini
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(true);

    Label2 = label(client, "Label2", "Default Snooze Duration :", twips(120, 2640, 2220, 195), 8.25, true);

    cmbtime = new QComboBox(client);
    cmbtime->setObjectName(QStringLiteral("cmbtime"));
    cmbtime->setGeometry(twips(360, 2880, 1680, 315));
    cmbtime->setEditable(true);
    ui::nameForScreenReaders(*cmbtime, QStringLiteral("Default Snooze Duration"));
    cmbtime->setInsertPolicy(QComboBox::NoInsert);
    cmbtime->setEditText(QStringLiteral("00:05"));
    cmbtime->setToolTip(QStringLiteral("Select from the list or enter a time(HH:MM AM/PM)."));
    cmbtime->lineEdit()->installEventFilter(this);
    cmbtime->installEventFilter(this);

    Label9 = label(client, "Label9", "HH:MM", twips(555, 3240, 1215, 135), 6, false);

    cmdSet = button(client, "cmdSet", "Set", twips(2160, 2880, 495, 360));
    Command1 = button(client, "Command1", "Add...", twips(3105, 2820, 1215, 360));
    Command2 = button(client, "Command2", "Edit...", twips(4320, 2820, 1215, 360));
    Command3 = button(client, "Command3", "Delete", twips(5535, 2820, 1215, 360));
    cmdOnOff = button(client, "cmdOnOff", "On/Off", twips(6750, 2820, 1215, 360));
    cmdRingIn = button(client, "cmdRingIn", "Ring &in...", twips(4320, 3240, 1215, 360));
    cmdPause = button(client, "cmdPause", "&Pause...", twips(5535, 3240, 1215, 360));
    cmdSkip = button(client, "cmdSkip", "S&kip next", twips(6750, 3240, 1215, 360));
    cmdSkip->setToolTip(QStringLiteral("The selected alarm stays on but does not ring next time."));
    lblNext = label(client, "lblNext", "", twips(120, 3690, 7845, 225), 8.25, false);
    lblNext->setTextFormat(Qt::PlainText);

    // Tab order: the duration box first, then the buttons from right to left, the list, Set.
    setTabOrder(cmbtime, cmdOnOff);
    setTabOrder(cmdOnOff, Command3);
    setTabOrder(Command3, Command2);
    setTabOrder(Command2, Command1);
    setTabOrder(Command1, cmdSkip);
    setTabOrder(cmdSkip, cmdPause);
    setTabOrder(cmdPause, cmdRingIn);
    setTabOrder(cmdRingIn, ListView1);
    setTabOrder(ListView1, cmdSet);
    cmbtime->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(cmdOnOff, &QPushButton::clicked, this, &Form1::cmdOnOff_Click);
    connect(cmdSet, &QPushButton::clicked, this, &Form1::cmdSet_Click);
    connect(cmdSkip, &QPushButton::clicked, this, &Form1::cmdSkip_Click);
    connect(cmdRingIn, &QPushButton::clicked, this, &Form1::mPopRingIn_Click);
    connect(cmdPause, &QPushButton::clicked, this, [this] {
        if (m_tray.isPaused())
            mPopResume_Click();
        else
            mPopPause_Click();
    });
    // The Skip button shows whether the selected alarm skips its next ring.
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &Form1::showNextAlarm);

    lblPresence =
        label(client, "lblPresence", "Wakery keeps ringing your alarms while this window is minimised.",
              twips(120, 4020, 5760, 225), 8.25, false);
    chkStartAtLogin = new QCheckBox(QStringLiteral("Start at login"), client);
    chkStartAtLogin->setObjectName(QStringLiteral("chkStartAtLogin"));
    chkStartAtLogin->setGeometry(twips(6000, 3990, 1965, 285));
    // One setting with the icon menu's item: the box only passes a click on and shows the item's mark.
    QAction* startAtLogin = m_tray.startAtLoginAction();
    chkStartAtLogin->setChecked(startAtLogin->isChecked());
    chkStartAtLogin->setEnabled(startAtLogin->isEnabled());
    connect(chkStartAtLogin, &QCheckBox::clicked, startAtLogin, &QAction::trigger);
    connect(startAtLogin, &QAction::toggled, chkStartAtLogin, &QCheckBox::setChecked);
    connect(startAtLogin, &QAction::enabledChanged, chkStartAtLogin, &QCheckBox::setEnabled);
    connect(&m_tray, &mainwin::TrayIcon::availabilityChanged, this,
            [this](bool available) { showPresence(!available); });
    showPresence(!m_tray.isAvailable());
}

void Form1::showPresence(bool withoutTray)
{
    // Without an icon the line and the box make the window taller.
    lblPresence->setVisible(withoutTray);
    chkStartAtLogin->setVisible(withoutTray);
    setFixedSize(px(8100), px(withoutTray ? 4350 : 3990));
}
