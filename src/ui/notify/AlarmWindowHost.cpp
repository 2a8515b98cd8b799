#include "AlarmWindowHost.h"

#include "frmalarm.h"
#include "scheduler/AlarmCheck.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace notify {

AlarmWindowHost::AlarmWindowHost(AlarmOwner& owner, const platform::Files& files, platform::Dialogs& dialogs,
                                 platform::SoundPlayerFactory& sounds, QObject* parent)
    : QObject(parent), m_owner(owner), m_files(files), m_dialogs(dialogs), m_sounds(sounds)
{
}

AlarmWindowHost::~AlarmWindowHost()
{
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
    auto* window = new frmalarm(m_owner, m_files, m_dialogs, m_sounds);
    m_window = window;
    window->AlarmIndex = index;
    // Plain text: a memo is never read as markup.
    window->txtMemo->setPlainText(QString::fromStdString(memo));
    window->txttitle->setText(QString::fromStdString(timeText));
    connect(window, &frmalarm::finished, this, [this, window] { onFinished(window); });
    window->show();
    window->raise();
    window->activateWindow();
}

void AlarmWindowHost::onFinished(frmalarm* window)
{
    // Deleted later: the click that closed it is still being handled inside it.
    window->deleteLater();
    if (m_window == window)
        m_window = nullptr;
    if (m_check != nullptr)
        m_check->windowClosed();
    emit windowClosed();
}

} // namespace notify
