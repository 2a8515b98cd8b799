#include "platform/qt/DisplayCheck.h"

#include <QApplication>
#include <QMainWindow>

#include <cstdio>

int main(int argc, char* argv[])
{
    const std::string missing = platform::missingDisplayMessage(argc > 0 ? argv[0] : "wakery");
    if (!missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Orvane Wakery");
    window.show();
    return QApplication::exec();
}
