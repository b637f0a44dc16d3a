// Shared by the music tests: a temporary game folder as the current folder with its own report
// log, the virtual clock, and a recording synthesiser in place of FluidSynth.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/ReportLog.h"
#include "platform/midi/MidiStream.h"
#include "platform/midi/MidiSynth.h"
#include "platform/midi/RecordingMidiSynth.h"
#include "platform/win/Files.h"
#include "platform/win/Time.h"

namespace musictest {

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        UseVirtualClock(true, 1000);
        SetMidiClockDriving(true);  // songs play at once, at exact times
        char previous[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, previous);
        m_previous = previous;
        static std::atomic<int> counter{0};
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() /
                   ("qb_music_" + std::to_string(random()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(m_folder / "bgm");
        SetCurrentDirectoryA(GamePath(m_folder.string()).c_str());
        ASSERT_TRUE(CreateReportLog(GamePath((m_folder / "Report_Game.txt").string()).c_str()));
        synth = std::make_shared<RecordingMidiSynth>();
        SetMidiSynth(synth);
    }
    void TearDown() override
    {
        SetMidiSynth(nullptr);
        SetMidiClockDriving(false);
        SetCurrentDirectoryA(m_previous.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        UseVirtualClock(false);
    }

    // Writes a file into the game folder ('/' separated relative name).
    void Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const
    {
        std::filesystem::create_directories((m_folder / relative).parent_path());
        std::ofstream out(m_folder / relative, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::path Host(const std::string& relative) const { return m_folder / relative; }
    std::string ReportLogText() const
    {
        std::ifstream in(m_folder / "Report_Game.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The note-on and note-off messages of the log (status 0x80..0x9F), with their times.
    std::vector<RecordingMidiSynth::Entry> Notes() const
    {
        std::vector<RecordingMidiSynth::Entry> notes;
        for (const auto& e : synth->Log()) {
            if (!e.bytes.empty() && e.bytes[0] >= 0x80 && e.bytes[0] <= 0x9F) notes.push_back(e);
        }
        return notes;
    }
    // Waits (bounded) until the log holds at least n notes.
    bool WaitForNotes(std::size_t n) const
    {
        return synth->WaitUntil([n](const std::vector<RecordingMidiSynth::Entry>& log) {
            std::size_t count = 0;
            for (const auto& e : log) count += (!e.bytes.empty() && e.bytes[0] >= 0x80 && e.bytes[0] <= 0x9F) ? 1 : 0;
            return count >= n;
        });
    }

    std::shared_ptr<RecordingMidiSynth> synth;

private:
    std::string m_previous;
    std::filesystem::path m_folder;
};

}  // namespace musictest
