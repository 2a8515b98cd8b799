// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSoundPlayerFactory.h"

#include <QApplication>
#include <QLibrary>

#include <utility>

namespace platform {
namespace {

class SilentPlayer : public SoundPlayer
{
public:
    explicit SilentPlayer(std::string why) : m_why(std::move(why)) {}
    void setFileAndPlay(const std::string&, const SoundLevel&) override {}
    double position() const override { return 0.0; }
    double length() const override { return 0.0; }
    void setPosition(double) override {}
    void play() override {}
    std::string failure() const override { return m_why; }

private:
    std::string m_why;
};

} // namespace

std::unique_ptr<SoundPlayer> QtSoundPlayerFactory::create()
{
    if (!m_tried) {
        m_tried = true;
        // The library stays loaded when the QLibrary object goes; players made from it live on.
        QLibrary module(QString::fromStdString(m_modulePath));
        m_create = reinterpret_cast<CreatePlayer>(module.resolve("wakery_create_sound_player"));
        if (m_create == nullptr)
            m_loadError = "the sound module did not load: " + module.errorString().toStdString();
    }
    if (m_create == nullptr)
        return std::make_unique<SilentPlayer>(m_loadError);
    return std::unique_ptr<SoundPlayer>(m_create());
}

void QtSoundPlayerFactory::beep()
{
    QApplication::beep();
}

} // namespace platform
