#include "import/ShellWords.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

bool SplitShellWords(const std::string& command, std::vector<std::string>& words) {
    words.clear();
    std::string word;
    bool inWord = false; // a word has begun (it may still be empty: "")
    for (std::size_t i = 0; i < command.size(); ++i) {
        char c = command[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '\'') {
            std::size_t close = command.find('\'', i + 1);
            if (close == std::string::npos)
                return false;
            word.append(command, i + 1, close - i - 1);
            i = close;
            inWord = true;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i >= command.size())
                    return false;
                char d = command[i];
                if (d == '"')
                    break;
                if (d == '\\' && i + 1 < command.size()) {
                    char next = command[i + 1];
                    if (next == '\n') {
                        ++i;
                        continue;
                    }
                    if (next == '$' || next == '`' || next == '"' || next == '\\') {
                        word += next;
                        ++i;
                        continue;
                    }
                }
                word += d;
            }
            inWord = true;
        } else if (c == '\\') {
            if (i + 1 >= command.size())
                return false;
            char next = command[++i];
            if (next != '\n') {
                word += next;
                inWord = true;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return true;
}

std::string QuoteShellWord(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}
