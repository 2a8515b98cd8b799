#include "QtSoundPlayerFactory.h"

#include <QLibrary>

namespace platform {
namespace {

class SilentPlayer : public SoundPlayer
{
public:
    void setFileAndPlay(const std::string&) override {}
    double position() const override { return 0.0; }
    double length() const override { return 0.0; }
    void setPosition(double) override {}
    void play() override {}
};

} // namespace

std::unique_ptr<SoundPlayer> QtSoundPlayerFactory::create()
{
    if (!m_tried) {
        m_tried = true;
        // The library stays loaded when the QLibrary object goes; players made from it live on.
        QLibrary module(QString::fromStdString(m_modulePath));
        m_create = reinterpret_cast<CreatePlayer>(module.resolve("wakery_create_sound_player"));
    }
    if (m_create == nullptr)
        return std::make_unique<SilentPlayer>();
    return std::unique_ptr<SoundPlayer>(m_create());
}

} // namespace platform
