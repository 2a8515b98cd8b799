// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's sound level and its Test button.
#include "Dialog.h"

#include "platform/Services.h"
#include "store/AlarmLoad.h"
#include "ui/window/WindowLook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

using ui::twips;

void Dialog::buildSoundControls(const QFont& labelFont)
{
    lblVolume = new QLabel(QStringLiteral("&Volume :"), this);
    lblVolume->setObjectName(QStringLiteral("lblVolume"));
    lblVolume->setGeometry(twips(120, 4260, 780, 255));
    lblVolume->setFont(labelFont);
    sldVolume = new QSlider(Qt::Horizontal, this);
    sldVolume->setObjectName(QStringLiteral("sldVolume"));
    ui::nameForScreenReaders(*sldVolume, QStringLiteral("Volume"));
    sldVolume->setRange(0, 100);
    sldVolume->setPageStep(10);
    sldVolume->setGeometry(twips(900, 4245, 1680, 285));
    lblVolume->setBuddy(sldVolume);
    lblVolumeValue = new QLabel(this);
    lblVolumeValue->setObjectName(QStringLiteral("lblVolumeValue"));
    lblVolumeValue->setGeometry(twips(2640, 4260, 600, 255));

    lblFadeIn = new QLabel(QStringLiteral("&Fade-in :"), this);
    lblFadeIn->setObjectName(QStringLiteral("lblFadeIn"));
    lblFadeIn->setGeometry(twips(3240, 4260, 900, 255));
    lblFadeIn->setFont(labelFont);
    cmbFadeIn = new QComboBox(this);
    cmbFadeIn->setObjectName(QStringLiteral("cmbFadeIn"));
    ui::nameForScreenReaders(*cmbFadeIn, QStringLiteral("Fade-in"));
    for (const int seconds : store::fadeInChoices)
        cmbFadeIn->addItem(seconds == 0 ? QStringLiteral("Off") : QStringLiteral("%1 s").arg(seconds),
                           seconds);
    cmbFadeIn->setGeometry(twips(4200, 4230, 1215, 315));
    lblFadeIn->setBuddy(cmbFadeIn);

    cmdTest = new QPushButton(this);
    cmdTest->setObjectName(QStringLiteral("cmdTest"));
    cmdTest->setToolTip(QStringLiteral("Play the sound once as the alarm will; press again to stop."));
    cmdTest->setGeometry(twips(4440, 4680, 975, 315));
    lblTestResult = new QLabel(this);
    lblTestResult->setObjectName(QStringLiteral("lblTestResult"));
    lblTestResult->setWordWrap(true);
    lblTestResult->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblTestResult->setGeometry(twips(120, 4620, 4215, 435));

    connect(sldVolume, &QSlider::valueChanged, this,
            [this](int volume) { lblVolumeValue->setText(QStringLiteral("%1 %").arg(volume)); });
    connect(cmdTest, &QPushButton::clicked, this, &Dialog::cmdTest_Click);
    connect(&m_test, &editor::SoundTest::finished, this, &Dialog::testFinished);
}

platform::SoundLevel Dialog::soundLevel() const
{
    return {.volume = sldVolume->value(), .fadeInSeconds = cmbFadeIn->currentData().toInt()};
}

void Dialog::showSoundLevel(const platform::SoundLevel& level)
{
    sldVolume->setValue(level.volume);
    // Values outside the choices never reach here: the store reads them as the default.
    cmbFadeIn->setCurrentIndex(std::max(0, cmbFadeIn->findData(level.fadeInSeconds)));
}

void Dialog::cmdTest_Click()
{
    if (m_test.playing()) {
        m_test.stop();
        testFinished({});
        return;
    }
    lblTestResult->clear();
    // A blank box plays default.wav, as the ring does.
    const std::string chosen = txtaction->text().toStdString();
    m_test.play(chosen.empty() ? m_services.files.defaultSound() : chosen, soundLevel());
    // The player reports the end of a file up to a second after it is heard: until then the button says
    // what pressing it does.
    if (m_test.playing())
        cmdTest->setText(QStringLiteral("&Stop"));
}

void Dialog::testFinished(const QString& reason)
{
    cmdTest->setText(QStringLiteral("&Test"));
    QString text;
    if (!reason.isEmpty())
        text = QStringLiteral("The file could not be played: ") + reason +
               (reason.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."));
    lblTestResult->setText(text);
}
