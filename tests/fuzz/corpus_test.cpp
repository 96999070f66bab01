// The fuzz target over its corpus in the ordinary test builds, so the reproducers of past faults
// are read again under every compiler and sanitizer that runs the tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(FuzzCorpus, EveryInputIsReadWithoutAFinding) {
  const std::filesystem::path corpus = std::filesystem::path(__FILE__).parent_path() / "corpus";
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0);
    ++inputs;
  }
  EXPECT_GE(inputs, 10);
}
