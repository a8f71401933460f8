//===- tests/aes_hw/aes_selection_test.cpp - Containers on the chosen path -===//
//
// The engine encrypts through whichever formulation was chosen for this
// process.  These tests run once as the processor chooses and once with the
// tables forced (see CMakeLists.txt), and each time the containers must be
// the very bytes the lookup tables give.
//
//===----------------------------------------------------------------------===//

#include "cipher/aes_context.h"
#include "cipher/aes_impl.h"
#include "cipher/aes_routines.h"
#include "cipher/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace filecrypter {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::mt19937 &random, std::size_t size) {
  Bytes bytes(size);
  for (std::uint8_t &b : bytes)
    b = static_cast<std::uint8_t>(random());
  return bytes;
}

// The container written out by hand with the table routines: the length
// little-endian, four zero bytes, then the zero-filled blocks.
Bytes TableContainer(const Bytes &data, const Bytes &password, std::int32_t keyBits) {
  CipherEngine keyed;
  keyed.AesSetKey(password, keyBits / 8);
  Bytes padded = data;
  padded.resize((data.size() + 15) / 16 * 16, 0);
  Bytes container(8 + padded.size(), 0);
  for (int i = 0; i < 4; ++i)
    container[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(data.size() >> (8 * i));
  AesEncryptBlocksTable(*keyed.ContextAs<AesContext>(), keyed.aes_rounds(), padded.data(), container.data() + 8,
                        padded.size() / 16);
  return container;
}

TEST(AesSelectionTest, TheNamedFormulationOrElseTheFastestIsActive) {
  const auto supported = AesSupportedImplementations();
  auto isSupported = [&](std::string_view name) {
    return std::any_of(supported.begin(), supported.end(), [&](const AesImplementation &impl) { return impl.name == name; });
  };
  ASSERT_TRUE(isSupported("table"));
  const char *wanted = std::getenv(kAesImplEnvironmentVariable);
  if (wanted != nullptr && isSupported(wanted))
    EXPECT_EQ(AesImplementationName(), wanted);
  else
    EXPECT_EQ(AesImplementationName(), supported.back().name);
}

TEST(AesSelectionTest, ContainersAreTheTableBytesForEveryKeySize) {
  std::mt19937 random(17);
  const std::size_t lengths[] = {1, 15, 16, 17, 100, 127, 128, 129, 255, 511, 512, 513, 4096, 65537};
  for (std::int32_t keyBits : {128, 192, 256}) {
    for (std::size_t length : lengths) {
      SCOPED_TRACE(std::string(AesImplementationName()) + ", " + std::to_string(keyBits) + " bits, " +
                   std::to_string(length) + " bytes");
      const Bytes data = RandomBytes(random, length);
      const Bytes password = RandomBytes(random, random() % 40);
      CipherEngine engine;
      const ByteString container = engine.AesEncrypt(data, password, keyBits);
      ASSERT_EQ(Bytes(container.bytes().begin(), container.bytes().end()), TableContainer(data, password, keyBits));
      const ByteString opened = engine.AesDecrypt(container, password, keyBits);
      ASSERT_EQ(Bytes(opened.bytes().begin(), opened.bytes().end()), data);
    }
  }
}

} // namespace
} // namespace filecrypter
