// Random and truncated bytes from the wire never crash the answer reader, the checks or the
// identification decoder, and never pass as a valid answer of the wrong size.

#include "support/FakeLink.h"

#include "boot_loader/Answer.h"
#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderInfo.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryPage.h"

#include <gtest/gtest.h>

#include <random>

using boot_loader::Answer;
using boot_loader::BootloaderException;
using test_support::answerBytes;

namespace {

std::vector<uint8_t> randomBytes(std::mt19937& random, std::size_t maximum)
{
    std::vector<uint8_t> bytes(std::uniform_int_distribution<std::size_t>(0, maximum)(random));
    for (uint8_t& byte : bytes) {
        byte = static_cast<uint8_t>(random());
    }
    return bytes;
}

// Mostly well-formed answers with a few bytes changed, cut short or extended.
std::vector<uint8_t> mutatedAnswer(std::mt19937& random)
{
    const uint8_t status = static_cast<uint8_t>(0xA0 + random() % 5);
    std::vector<uint8_t> bytes = answerBytes(status, randomBytes(random, 20));
    if (random() % 2) {
        bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1U << (random() % 8));
    }
    bytes.resize(std::uniform_int_distribution<std::size_t>(0, bytes.size() + 2)(random));
    return bytes;
}

} // namespace

TEST(WireFuzz, AnswerReaderAndCheck)
{
    for (unsigned seed : {1U, 2U, 3U}) {
        std::mt19937 random(seed);
        for (int iteration = 0; iteration < 3000; ++iteration) {
            test_support::FakeLink link;
            const std::vector<uint8_t> bytes =
                iteration % 2 ? randomBytes(random, 40) : mutatedAnswer(random);
            link.state->incoming.assign(bytes.begin(), bytes.end());
            const std::size_t expected = 3 + random() % 20;
            Answer answer(expected);
            link.stream >> answer;
            ASSERT_LE(answer.characters.size(), expected);
            bool valid = true;
            try {
                answer.check();
            } catch (const BootloaderException& failure) {
                valid = false;
                ASSERT_GE(failure.code(), 1);
                ASSERT_LE(failure.code(), 6);
            }
            if (valid) {
                ASSERT_EQ(answer.characters.size(), expected);
                ASSERT_EQ(answer.payload().size(), expected - 3);
            }
            (void)answer.uint32Value();
        }
    }
}

TEST(WireFuzz, IdentificationDecoder)
{
    std::mt19937 random(7);
    for (int iteration = 0; iteration < 20000; ++iteration) {
        const std::vector<uint8_t> payload = randomBytes(random, 24);
        const boot_loader::BootloaderInfo info = boot_loader::BootloaderInfo::decode(payload);
        ASSERT_LE(info.deviceName.size(), 8U);
        if (payload.size() != 16) {
            ASSERT_EQ(info.version, 0);
            ASSERT_TRUE(info.deviceName.empty());
        }
    }
}

TEST(WireFuzz, ProtocolOverRandomReplies)
{
    std::mt19937 random(11);
    for (int iteration = 0; iteration < 500; ++iteration) {
        test_support::FakeLink link;
        std::vector<uint8_t> identification(16, 0);
        identification[0] = 0x12;
        identification[5] = 1;
        link.state->replies.push_back(answerBytes(0xA0, identification));
        for (int reply = 0; reply < 3; ++reply) {
            link.state->replies.push_back(iteration % 3 ? mutatedAnswer(random) : randomBytes(random, 300));
        }
        boot_loader::BootloaderProtocol protocol(link.stream);
        boot_loader::MemoryPage page(0, 0x3E00, 256);
        try {
            protocol.readPage(page);
        } catch (const BootloaderException&) {
        }
        ASSERT_EQ(page.size(), 256U);
    }
}
