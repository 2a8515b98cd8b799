// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmWindowHost.h"

#include "frmalarm.h"
#include "scheduler/AlarmCheck.h"
#include "scheduler/Snooze.h"
#include "ui/window/WindowLook.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdint>

namespace notify {

AlarmWindowHost::AlarmWindowHost(AlarmOwner& owner, const platform::Files& files, platform::Dialogs& dialogs,
                                 platform::SoundPlayerFactory& sounds, QObject* parent)
    : QObject(parent), m_owner(owner), m_files(files), m_dialogs(dialogs), m_sounds(sounds)
{
}

AlarmWindowHost::~AlarmWindowHost()
{
    m_notice.reset();
    delete m_window;
}

frmalarm* AlarmWindowHost::current() const
{
    return m_window;
}

void AlarmWindowHost::showAlarm(std::int16_t index, const std::string& memo, const std::string& timeText)
{
    // The check shows one alarm at a time; a window still open here would only be a stale one.
    if (m_window) {
        m_window->disconnect(this);
        m_window->deleteLater();
    }
    auto* window = new frmalarm(*this, m_files, m_dialogs, m_sounds);
    m_window = window;
    window->AlarmIndex = index;
    // Plain text: a memo is never read as markup.
    window->txtMemo->setPlainText(QString::fromStdString(memo));
    window->txttitle->setText(QString::fromStdString(timeText));
    connect(window, &frmalarm::finished, this, [this, window] { onFinished(window); });
    window->show();
    window->raise();
    window->activateWindow();
    sendNotice(*window, memo, timeText);
}

void AlarmWindowHost::sendNotice(frmalarm& window, const std::string& memo, const std::string& timeText)
{
    m_notice.reset();
    if (m_notices == nullptr)
        return;
    const QPointer<frmalarm> target = &window;
    m_notice = m_notices->show("Alarm! " + timeText, memo,
                               {.snooze =
                                    [target] {
                                        if (target)
                                            target->cmdSnooze_Click();
                                    },
                                .ok =
                                    [target] {
                                        if (target)
                                            target->OKButton_Click();
                                    },
                                .front =
                                    [target](const std::string& token) {
                                        if (target)
                                            ui::bringToFront(*target, token);
                                    }});
}

std::optional<std::int16_t> AlarmWindowHost::currentIndex(std::int16_t windowIndex) const
{
    if (m_check == nullptr)
        return windowIndex;
    return m_check->showingIndex();
}

void AlarmWindowHost::SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment)
{
    const auto index = currentIndex(Index);
    if (!index)
        return;
    if (Increment && m_check != nullptr) {
        const auto offsets = scheduler::snoozeFromPress(SVH, SVM, m_check->showingLateMinutes());
        SVH = offsets.hours;
        SVM = offsets.minutes;
    }
    m_owner.SetSnoozeValue(*index, SVH, SVM, Increment);
}

bool AlarmWindowHost::AlarmSoundPresent(std::int16_t Index) const
{
    const auto index = currentIndex(Index);
    return index && m_owner.AlarmSoundPresent(*index);
}

std::string AlarmWindowHost::GetASound(std::int16_t Index) const
{
    const auto index = currentIndex(Index);
    return index ? m_owner.GetASound(*index) : std::string();
}

platform::SoundLevel AlarmWindowHost::soundLevel(std::int16_t Index) const
{
    const auto index = currentIndex(Index);
    return index ? m_owner.soundLevel(*index) : platform::SoundLevel();
}

void AlarmWindowHost::onFinished(frmalarm* window)
{
    // Deleted later: the click that closed it is still being handled inside it.
    window->deleteLater();
    if (m_window == window) {
        m_window = nullptr;
        m_notice.reset();
    }
    if (m_check != nullptr)
        m_check->windowClosed();
    emit windowClosed();
}

} // namespace notify
