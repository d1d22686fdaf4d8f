#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/SceneData.h"
#include "config/WeftConfig.h"

namespace tessel_test {

// A private folder for one test, removed afterwards, holding the test's
// data files and its log.
class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::wstring Path(const std::wstring& name) const { return folder_ + name; }
    bool Exists(const std::wstring& name) const;
    std::string Read(const std::wstring& name) const;
    void Put(const std::wstring& name, const std::string& bytes) const;
    void MakeFolder(const std::wstring& name) const;

    // From now on log lines go to this test's folder. Call after creating the
    // model, whose constructor points the log elsewhere.
    void CaptureLog();
    // The messages logged since CaptureLog, without their time stamps.
    std::vector<std::wstring> LogLines();
    // The same for a log file of another base name in this folder.
    std::vector<std::wstring> LogLinesOf(const std::wstring& base_name);
    bool Logged(const std::wstring& message);

private:
    std::wstring folder_;
};

// Data file images for the reader.
std::string HeaderBytes(const config::ModuleVersion& version, const config::CommonSettings& settings);
std::string HeadBytes(std::int32_t count, const config::SceneData& current);
std::string RecordBytes(const config::SceneData& scene);
std::string FileBytes(const config::ModuleVersion& version, const config::CommonSettings& settings, const config::SceneData& current,
                      const std::vector<config::SceneData>& list);

// A scene that is easy to tell apart: no, a name "S<no>" and an order.
config::SceneData TestScene(std::int16_t no, std::int16_t order = -1);

std::wstring NameOf(const config::SceneData& scene);

} // namespace tessel_test
