// A process killed at any moment of a command leaves Data.ini as it was before that command or as it is
// after it, never half-written.
#include "fakes/TempFolder.h"
#include "store/IniDocument.h"
#include "store/ini.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Command k: what a user command writes, with a sequence number to tell the commands apart. Memos of
// changing length make every command move the rest of the file.
std::vector<ini::KeyWrite> command(int k)
{
    const std::string section = "Alarm" + std::to_string(k % 7 + 1);
    return {{"Alarm", "Count", std::to_string(k % 7 + 1)},
            {section, "State", std::to_string(k % 2)},
            {section, "Type", std::string("1234567").substr(0, static_cast<std::size_t>(k % 7 + 1))},
            {section, "Time", std::to_string(k % 12 + 1) + ":" + std::to_string(10 + k % 50) + " PM"},
            {section, "Memo",
             "memo " + std::to_string(k) + std::string(static_cast<std::size_t>(k * 37 % 900), 'm')},
            {section, "Sound", ""},
            {"Alarm", "Seq", std::to_string(k)}};
}

class Expected
{
public:
    explicit Expected(std::string initial) { m_states.push_back(std::move(initial)); }
    const std::string& after(int commands)
    {
        while (static_cast<int>(m_states.size()) <= commands) {
            store::IniDocument document(m_states.back());
            for (const auto& write : command(static_cast<int>(m_states.size())))
                document.set(write.section, write.key, write.value);
            m_states.push_back(document.render());
        }
        return m_states[static_cast<std::size_t>(commands)];
    }

private:
    std::vector<std::string> m_states;
};

// Runs commands from first on until killed; reports each finished one on the pipe.
[[noreturn]] void runCommands(const std::string& path, int first, int ackFd)
{
    for (int k = first;; ++k) {
        if (!ini::WriteIniKeys(path, command(k)))
            ::_exit(2);
        if (::write(ackFd, &k, sizeof k) != sizeof k)
            ::_exit(3);
    }
}

TEST(CrashConsistency, KilledWritesLeaveTheFileBeforeOrAfterOneWholeCommand)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    const std::string initial = "; kept by hand\r\n[Alarm]\r\nCount=0\r\nDSnooze=00:05\r\n";
    folder.write("Data.ini", initial);
    Expected expected(initial);

    std::mt19937 random(20240601);
    int done = 0; // commands known to be complete
    int kills = 0;
    int landedInside = 0;    // kills after a command's rename and before its report
    int leftTemporaries = 0; // kills while a command wrote its temporary file
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    while (kills < 150 && std::chrono::steady_clock::now() < deadline) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeFds[0]);
            runCommands(path, done + 1, pipeFds[1]);
        }
        ::close(pipeFds[1]);

        // Let a few commands finish, then kill at a random point of the following ones.
        int ack = done;
        for (int wait = std::uniform_int_distribution<int>(0, 2)(random); wait > 0; --wait) {
            if (::read(pipeFds[0], &ack, sizeof ack) != sizeof ack)
                break;
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 4000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        while (::read(pipeFds[0], &ack, sizeof ack) == sizeof ack) {
        }
        ::close(pipeFds[0]);
        ++kills;

        const std::string content = folder.read("Data.ini");
        if (content == expected.after(ack + 1)) {
            done = ack + 1;
            ++landedInside;
        } else {
            ASSERT_EQ(content, expected.after(ack))
                << "after kill " << kills << ", " << ack << " commands reported";
            done = ack;
        }
        ASSERT_EQ(ini::ReadIni(path, "Alarm", "Seq", "0"), std::to_string(done));

        // A kill between creating the temporary file and renaming it leaves that file behind.
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            if (entry.path().filename() != "Data.ini") {
                std::filesystem::remove(entry.path());
                ++leftTemporaries;
            }
        }
    }
    EXPECT_GE(kills, 20);
    EXPECT_GT(done, kills) << "the writer should get through commands between kills";
    RecordProperty("kills", kills);
    RecordProperty("commands", done);
    RecordProperty("landedInside", landedInside);
    RecordProperty("leftTemporaries", leftTemporaries);
}

} // namespace
