// The language the program speaks: no text missing or empty, each text's
// placeholders the ones the program fills, and every bird its own name.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "texts/catalogue.h"

namespace koppelo::texts {
namespace {

// How many placeholders, or -1 if one is skipped: QString::arg fills the lowest first.
int placeholders(const std::string& text)
{
    std::set<int> used;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
        if (at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9')
            used.insert(text[at + 1] - '0');
    return used.empty() || *used.rbegin() == static_cast<int>(used.size()) ? static_cast<int>(used.size()) : -1;
}

// Every member is a text, so a window's catalogue reads as a row of them.
template <typename Texts>
void expectEveryTextGiven(const Texts& texts)
{
    static_assert(sizeof(Texts) % sizeof(const char*) == 0);
    const auto* text = reinterpret_cast<const char* const*>(&texts);
    for (std::size_t i = 0; i < sizeof(Texts) / sizeof(const char*); ++i)
        EXPECT_TRUE(text[i] != nullptr && *text[i] != '\0' && placeholders(text[i]) >= 0) << "text " << i;
}

TEST(Texts, EveryTextGivenWithThePlaceholdersTheProgramFills)
{
    const Language& words = chosen();
    expectEveryTextGiven(words.main);
    expectEveryTextGiven(words.about);
    expectEveryTextGiven(words.program);
    const MainWindowTexts& main = words.main;
    for (const auto& [text, filled] : {std::pair{main.cardFaceDown, 3}, {main.cardFaceUp, 4}, {main.cardFound, 4},
                                       {main.pairsFound, 1}, {main.firstPreview, 1}, {main.secondPreview, 1},
                                       {main.pairFound, 1}, {main.noPair, 0}, {main.newGame, 0}, {main.winPrompt, 0},
                                       {words.program.optionJoined, 3}, {words.program.scaleRefused, 4}})
        EXPECT_EQ(placeholders(text), filled) << text;
    EXPECT_EQ(std::set<std::string>(main.birds.begin(), main.birds.end()).size(), kBirds);
}

}  // namespace
}  // namespace koppelo::texts
