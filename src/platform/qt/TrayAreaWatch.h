#pragma once

#include <QObject>
#include <QScreen>

namespace platform {

// Reports when the desktop's notification area appears or goes away, where the platform tells it (the
// X11 tray protocol does, through the platform plugin's native interface). Where it does not, connected()
// is false and the caller has to look for itself.
class TrayAreaWatch : public QObject
{
    Q_OBJECT
public:
    explicit TrayAreaWatch(QObject* parent = nullptr);
    bool connected() const { return m_connected; }

signals:
    void changed();

private slots:
    void onTrayWindowChanged(QScreen* screen);

private:
    bool m_connected = false;
};

} // namespace platform
