// Answers are read with the length their status implies and checked into the protocol's error codes.

#include "support/FakeLink.h"

#include "boot_loader/Answer.h"
#include "boot_loader/BootloaderException.h"
#include "rs485/DisconnectException.h"

#include <gtest/gtest.h>

#include <string>

using boot_loader::Answer;
using boot_loader::BootloaderException;
using test_support::answerBytes;

namespace {

int checkCode(const Answer& answer)
{
    try {
        answer.check();
    } catch (const BootloaderException& failure) {
        return failure.code();
    }
    return -1;
}

// Queues the bytes as if they answered a command, then reads an answer of the expected size.
Answer readAnswer(const std::vector<uint8_t>& bytes, std::size_t expectedSize)
{
    test_support::FakeLink link;
    link.state->incoming.assign(bytes.begin(), bytes.end());
    Answer answer(expectedSize);
    link.stream >> answer;
    return answer;
}

} // namespace

TEST(Answer, ErrorStatusEndsAfterThreeCharactersOfALongAnswer)
{
    std::vector<uint8_t> bytes = answerBytes(0xA2);
    bytes.insert(bytes.end(), 20, 0x55); // whatever follows is not part of this answer
    const Answer answer = readAnswer(bytes, 19);
    EXPECT_EQ(answer.characters.size(), 3U);
    EXPECT_EQ(checkCode(answer), 4);
    try {
        answer.check();
    } catch (const BootloaderException& failure) {
        EXPECT_STREQ(failure.what(), "Неправильный адрес в команде");
    }
}

TEST(Answer, StatusCodes)
{
    EXPECT_EQ(checkCode(readAnswer(answerBytes(0xA0), 3)), -1);
    EXPECT_EQ(checkCode(readAnswer(answerBytes(0xA1), 3)), 3);
    EXPECT_EQ(checkCode(readAnswer(answerBytes(0xA3), 7)), 5);
    EXPECT_EQ(checkCode(readAnswer(answerBytes(0x42), 7)), 6);
}

TEST(Answer, DamageAndSilence)
{
    std::vector<uint8_t> flipped = answerBytes(0xA0, {1, 2, 3, 4});
    flipped[2] ^= 0x10;
    EXPECT_EQ(checkCode(readAnswer(flipped, 7)), 2);

    const Answer silent = readAnswer({}, 7);
    EXPECT_TRUE(silent.characters.empty());
    EXPECT_EQ(checkCode(silent), 1);
    EXPECT_STREQ(BootloaderException(1).what(), "Нет связи с прибором");
}

TEST(Answer, AnswerCutShortByTheTimeoutCountsAsNoAnswer)
{
    const std::vector<uint8_t> full = answerBytes(0xA0, {1, 2, 3, 4});
    for (std::size_t length = 1; length < full.size(); ++length) {
        const Answer answer = readAnswer(std::vector<uint8_t>(full.begin(), full.begin() + length), 7);
        EXPECT_TRUE(answer.characters.empty()) << "after " << length << " characters";
        EXPECT_EQ(checkCode(answer), 1) << "after " << length << " characters";
    }
    const std::vector<uint8_t> error = answerBytes(0xA2);
    EXPECT_EQ(checkCode(readAnswer(std::vector<uint8_t>(error.begin(), error.begin() + 2), 7)), 1);
}

TEST(Answer, ShortSuccessWhoseCrcHappensToMatchIsStillRefused)
{
    // A success answer of 3 characters is intact in itself, but an answer of 7 was awaited.
    const Answer answer(std::vector<uint16_t>{0xA0, 0xBF, 0x38});
    EXPECT_EQ(checkCode(answer), -1);
    Answer awaited(7);
    awaited.characters = answer.characters;
    EXPECT_EQ(checkCode(awaited), 2);
}

TEST(Answer, PayloadAndValue)
{
    const Answer answer = readAnswer(answerBytes(0xA0, {0x78, 0x56, 0x34, 0x12}), 7);
    EXPECT_EQ(answer.uint32Value(), 0x12345678U);
    EXPECT_EQ(answer.payload(), (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(readAnswer(answerBytes(0xA0, {1, 2}), 5).uint32Value(), 0U);
    EXPECT_TRUE(readAnswer(answerBytes(0xA0), 3).payload().empty());
}

TEST(Answer, PortFailurePassesThrough)
{
    test_support::FakeLink link;
    link.state->failing = true;
    Answer answer(7);
    EXPECT_THROW(link.stream >> answer, rs485::DisconnectException);
}

TEST(BootloaderException, Messages)
{
    EXPECT_STREQ(BootloaderException(0).what(), "Нет связи с преобразователем USB-RS485");
    EXPECT_STREQ(BootloaderException(2).what(), "Неправильная контрольная сумма в ответе");
    EXPECT_STREQ(BootloaderException(3).what(), "Неправильная контрольная сумма в команде");
    EXPECT_STREQ(BootloaderException(5).what(), "Внутренняя ошибка загрузчика");
    EXPECT_STREQ(BootloaderException(6).what(), "Неправильный формат ответа");
    EXPECT_STREQ(BootloaderException(9).what(), "Неизвестная ошибка");
    EXPECT_STREQ(BootloaderException(-1).what(), "Неизвестная ошибка");
    EXPECT_EQ(BootloaderException(9).code(), 9);
}
