#include "core/results/NumberSelectionResults.h"

#include "core/base/KelmoraError.h"
#include "core/draw/DrawDraft.h"
#include "core/draw/NumberSelectionTemplates.h"
#include "core/results/ResultCell.h"
#include "core/text/Utf8ToCp932.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <string>

namespace kelmora {
namespace {

struct TPrizeRow {
    std::string prize;
    std::size_t line = 0;
};

[[noreturn]] void Refuse(std::string_view format, std::size_t line, std::string_view text,
                         std::vector<std::string> more = {})
{
    // A line quoted in a message is cut short, between characters.
    constexpr std::size_t kQuoteBytes = 90;
    text = TrimWhiteSpace(text);
    std::string quoted(text.substr(0, kQuoteBytes));
    while (quoted.size() < text.size() && !quoted.empty() && (static_cast<unsigned char>(text[quoted.size()]) & 0xC0) == 0x80)
        quoted.pop_back();
    if (quoted.size() < text.size())
        quoted += "…";
    std::vector<std::string> arguments = {std::to_string(line), quoted};
    arguments.insert(arguments.end(), more.begin(), more.end());
    throw TKelmoraError(format, std::move(arguments));
}

TByteString Cp932(const std::string& text, std::size_t line)
{
    try {
        return Utf8ToCp932(text, "-");
    } catch (const TKelmoraError&) {
        Refuse(messages::kResultsNoShiftJis, line, text);
    }
}

// What follows `word` in `compact`, or nothing when the word is not there.
std::optional<std::string> After(const std::string& compact, std::string_view word)
{
    const auto at = compact.find(word);
    if (at == std::string::npos)
        return std::nullopt;
    return compact.substr(at + word.size());
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Loops rather than regular expressions: a pasted line may be as long as a file.
bool OnlyNumbers(const std::string& compact)
{
    static constexpr std::string_view kComma = "、";
    bool digit = false;
    for (std::size_t i = 0; i < compact.size(); ++i) {
        if (compact.compare(i, kComma.size(), kComma) == 0)
            i += kComma.size() - 1;
        else if (IsDigit(compact[i]))
            digit = true;
        else if (compact[i] != ',' && compact[i] != '(' && compact[i] != ')')
            return false;
    }
    return digit;
}

// The prize of a row (「600,000,000円」), 該当なし as no prize; false when the row holds neither.
bool ReadPrize(const std::string& compact, std::string& prize)
{
    for (std::size_t at = compact.find("円"); at != std::string::npos; at = compact.find("円", at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && (IsDigit(compact[begin - 1]) || compact[begin - 1] == ','))
            --begin;
        while (begin < at && !IsDigit(compact[begin]))
            ++begin;
        if (begin < at) {
            prize = compact.substr(begin, at + std::string_view("円").size() - begin);
            return true;
        }
    }
    prize.clear();
    return compact.find("該当なし") != std::string::npos;
}

// What may follow a purchase type in its row: nothing, counts and the prize, or 該当なし (not the
// ロト of ミニロト).
bool OnlyPrize(std::string_view rest)
{
    return rest.empty() || IsDigit(rest[0]) || rest.starts_with("該当なし");
}

// The digits `text` opens with.
std::string LeadingDigits(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return std::string(text.substr(0, end));
}

std::size_t CountOfNumbers(const std::string& announced)
{
    const std::string main = announced.substr(0, std::min(announced.find('('), announced.find("ボーナス")));
    std::size_t count = 0;
    for (std::size_t i = 0; i < main.size(); ++i)
        if (main[i] >= '0' && main[i] <= '9' && (i == 0 || main[i - 1] < '0' || main[i - 1] > '9'))
            ++count;
    return count;
}

class TNumberSelectionReader {
public:
    void ReadLine(std::string_view line, std::size_t lineNumber)
    {
        std::string text(line);
        std::replace(text.begin(), text.end(), '\t', ' ');
        std::replace(text.begin(), text.end(), '|', ' ');
        const std::string compact = CompactResultText(text);
        if (compact.empty())
            return;
        line_ = lineNumber;
        text_ = text;
        if (ReadDrawnNumbers(compact) || ReadRow(compact))
            return;
        mode_ = Mode::None;
        if (pending_ && ReadPrize(compact, pending_->prize))
            pending_ = nullptr;
        const bool named = compact.find("ロト") != std::string::npos || compact.find("ナンバーズ") != std::string::npos;
        if (name_.empty() && drawnLine_ == 0 && named) {
            name_ = std::string(TrimWhiteSpace(text));
            nameLine_ = lineNumber;
        }
    }

    std::optional<TResultsDraw> Finish() const
    {
        if (announced_.empty() && (number_.empty() || prizes_.empty()))
            return std::nullopt;
        std::vector<TDrawDraft::Row> rows = announced_.empty() ? NumbersRows() : LotoRows();
        TDrawDraft draft;
        draft.SetEventName(Cp932(name_, nameLine_));
        TResultsDraw result;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const std::string key = announced_.empty() ? std::to_string(k) : std::to_string(k + 1);
            const auto row = prizes_.find(key);
            result.classLines.push_back(row == prizes_.end() ? drawnLine_ : row->second.line);
        }
        draft.ReplaceRows(std::move(rows));
        result.definition = draft.ToDefinition();
        return result;
    }

private:
    enum class Mode { None, Main, Bonus };

    bool ReadDrawnNumbers(const std::string& compact)
    {
        if (const auto rest = After(compact, "本数字")) {
            StartNumbers(Mode::Main);
            numbersAfter_ = false;
            announced_ += " " + *rest;
            return true;
        }
        if (const auto rest = After(compact, "ボーナス")) {
            if (announced_.empty())
                Refuse(messages::kResultsBeforeDrawnNumbers, line_, text_);
            mode_ = Mode::Bonus;
            announced_ += " ボーナス " + rest->substr(rest->starts_with("数字") ? std::string("数字").size() : 0);
            return true;
        }
        for (std::string_view word : {"当せん番号", "当選番号", "抽せん数字"}) {
            if (const auto rest = After(compact, word); rest && announced_.empty()) {
                mode_ = Mode::Main;
                numbersAfter_ = true;
                ReadNumbersNumber(*rest);
                return true;
            }
        }
        if (mode_ == Mode::None || !OnlyNumbers(compact))
            return false;
        if (numbersAfter_)
            ReadNumbersNumber(compact);
        else
            announced_ += " " + compact;
        return true;
    }

    void StartNumbers(Mode mode)
    {
        if (drawnLine_ != 0)
            Refuse(messages::kResultsRowUnknown, line_, text_);
        mode_ = mode;
        drawnLine_ = line_;
        drawnText_ = text_;
    }

    // The drawn ナンバーズ number, on the line that names it or the next.
    void ReadNumbersNumber(std::string rest)
    {
        rest.erase(0, rest.find_first_not_of(":："));
        if (rest.empty() && number_.empty())
            return;
        if (drawnLine_ == 0)
            StartNumbers(Mode::Main);
        const std::string digits = LeadingDigits(rest);
        const std::string_view after = std::string_view(rest).substr(digits.size());
        if (!number_.empty() || digits.empty() || (!after.empty() && after != "番"))
            Refuse(messages::kResultsDrawnNumbersUnfit, line_, text_, {"ナンバーズ"});
        number_ = digits;
        mode_ = Mode::None;
    }

    // A 等 row of a ロト or a purchase-type row of a ナンバーズ, with its prize when it holds one.
    bool ReadRow(const std::string& compact)
    {
        static const std::array<std::string_view, 5> kTypes{"ストレート", "ボックス", "セット(ストレート)",
                                                            "セット(ボックス)", "ミニ"};
        std::string key = LeadingDigits(compact);
        const bool loto = !key.empty() && compact.compare(key.size(), std::string_view("等").size(), "等") == 0;
        if (loto) {
            if (key.size() > 3)
                Refuse(messages::kResultsRowUnknown, line_, text_);
            key = std::to_string(std::stoul(key));
        } else {
            key.clear();
            // セット(…) before the plain types it holds.
            for (std::size_t k = kTypes.size(); k-- > 0;)
                if (key.empty() && compact.starts_with(kTypes[k]) && OnlyPrize(compact.substr(kTypes[k].size())))
                    key = std::to_string(k);
            if (key.empty())
                return false;
        }
        if (drawnLine_ == 0 || (loto && announced_.empty()) || (!loto && number_.empty()))
            Refuse(messages::kResultsBeforeDrawnNumbers, line_, text_);
        if (prizes_.contains(key))
            Refuse(messages::kResultsRowUnknown, line_, text_);
        mode_ = Mode::None;
        TPrizeRow& row = prizes_[key];
        row.line = line_;
        pending_ = ReadPrize(compact, row.prize) ? nullptr : &row;
        return true;
    }

    std::vector<TDrawDraft::Row> LotoRows() const
    {
        const std::size_t count = CountOfNumbers(announced_);
        std::size_t named = 0;
        for (const auto& [word, size] : std::array<std::pair<std::string_view, std::size_t>, 5>{
                 {{"ミニロト", 5}, {"ロト7", 7}, {"ロト７", 7}, {"ロト6", 6}, {"ロト６", 6}}})
            if (named == 0 && name_.find(word) != std::string::npos)
                named = size;
        const std::string game = named != 0 ? name_ : "ロト";
        if (count < 5 || count > 7 || (named != 0 && named != count))
            Refuse(messages::kResultsDrawnNumbersUnfit, drawnLine_, drawnText_, {game});
        const TLotoGame lotoGame = count == 7 ? TLotoGame::Loto7 : count == 6 ? TLotoGame::Loto6 : TLotoGame::MiniLoto;
        std::vector<TByteString> prizes(LotoClassCount(lotoGame));
        for (const auto& [key, row] : prizes_) {
            const std::size_t rank = std::stoul(key);
            if (rank < 1 || rank > prizes.size())
                Refuse(messages::kResultsRowUnknown, row.line, std::to_string(rank) + "等");
            prizes[rank - 1] = Cp932(row.prize, row.line);
        }
        try {
            return LotoTemplateRows(lotoGame, Cp932(announced_, drawnLine_), prizes);
        } catch (const TKelmoraError&) {
            Refuse(messages::kResultsDrawnNumbersUnfit, drawnLine_, drawnText_, {game});
        }
    }

    std::vector<TDrawDraft::Row> NumbersRows() const
    {
        const bool three = name_.find("ナンバーズ3") != std::string::npos || name_.find("ナンバーズ３") != std::string::npos;
        const bool four = name_.find("ナンバーズ4") != std::string::npos || name_.find("ナンバーズ４") != std::string::npos;
        if ((number_.size() != 3 && number_.size() != 4) || (three && number_.size() != 3) ||
            (four && number_.size() != 4))
            Refuse(messages::kResultsDrawnNumbersUnfit, drawnLine_, drawnText_, {"ナンバーズ"});
        std::vector<TByteString> prizes(5);
        for (const auto& [key, row] : prizes_) {
            const std::size_t type = std::stoul(key);
            if (type == 4 && number_.size() == 4)
                Refuse(messages::kResultsRowUnknown, row.line, "ミニ");
            prizes[type] = Cp932(row.prize, row.line);
        }
        return NumbersTemplateRows(number_, prizes);
    }

    Mode mode_ = Mode::None;
    bool numbersAfter_ = false;
    std::size_t line_ = 0;
    std::string text_;
    std::string announced_;
    std::string number_;
    std::size_t drawnLine_ = 0;
    std::string drawnText_;
    std::map<std::string, TPrizeRow> prizes_;
    TPrizeRow* pending_ = nullptr;
    std::string name_;
    std::size_t nameLine_ = 0;
};

} // namespace

std::optional<TResultsDraw> ReadNumberSelectionResults(const std::vector<std::string_view>& lines)
{
    const bool any = std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
        const std::string compact = CompactResultText(line);
        return compact.find("本数字") != std::string::npos || compact.starts_with("ストレート");
    });
    if (!any)
        return std::nullopt;
    TNumberSelectionReader reader;
    for (std::size_t i = 0; i < lines.size(); ++i)
        reader.ReadLine(lines[i], i + 1);
    return reader.Finish();
}

} // namespace kelmora
