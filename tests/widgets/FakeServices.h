// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's services on fakes over a fresh folder, shared by every window's test.
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileDialog.h"
#include "fakes/FakeLocaleTime.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"
#include "platform/Services.h"
#include "store/ini.h"
#include "ui/notify/AlarmOwner.h"
#include "ui/window/Messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

struct FakeServices
{
    fakes::TempFolder folder;
    fakes::StdFiles files{folder.path()};
    fakes::FakeClock clock;
    fakes::FakeLocaleTime locale;
    fakes::FakeDialogs dialogs;
    fakes::FakeFileDialog fileDialog;
    fakes::FakeSoundPlayerFactory sounds;
    platform::Services services{clock, locale, files, dialogs, fileDialog, sounds};

    std::string read(const std::string& section, const std::string& key) const
    {
        return ini::ReadIni(folder.file("Data.ini"), section, key, "<absent>");
    }
    // The texts of the message boxes shown, each marked when it is not a critical one.
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& shown : dialogs.shown)
            texts << QString::fromStdString(shown.text) +
                         (shown.icon == platform::MessageIcon::Critical ? "" : " <not critical>");
        return texts;
    }
};

// Alarms on every day, one for each memo, all at the same time unless the last is given one of its own.
inline std::string alarms(const QStringList& memos, const std::string& lastTime = "6:00 AM")
{
    std::string text = "[Alarm]\nCount=" + std::to_string(memos.size()) + "\n";
    for (qsizetype i = 0; i < memos.size(); ++i)
        text += "[Alarm" + std::to_string(i + 1) +
                "]\nState=1\nType=1234567\nTime=" + (i + 1 == memos.size() ? lastTime : "6:00 AM") +
                "\nMemo=" + memos[i].toStdString() + "\n";
    return text;
}

// Qt Test rows for a table of cases, each named after its case; the test takes its case by QFETCH(int, row).
template <typename Case, std::size_t N> void addRows(const Case (&cases)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(cases[i].name) << static_cast<int>(i);
}

// Records each write of the offsets as "index +H:M" (added) or "index =H:M" (set); alarm 1 has a sound.
class FakeOwner : public notify::AlarmOwner
{
public:
    void SetSnoozeValue(std::int16_t Index, std::int16_t SVH, std::int16_t SVM, bool Increment) override
    {
        calls << QString("%1 %2%3:%4").arg(Index).arg(Increment ? '+' : '=').arg(SVH).arg(SVM);
    }
    bool AlarmSoundPresent(std::int16_t Index) const override { return Index == 1; }
    std::string GetASound(std::int16_t Index) const override { return Index == 1 ? "/music/a b.mp3" : ""; }
    platform::SoundLevel soundLevel(std::int16_t) const override { return {}; }
    QStringList calls;
};
