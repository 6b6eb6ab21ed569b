// Runs a fuzz target without libFuzzer: over every file of its seed corpus (or one file, to replay
// a finding), then over inputs made from the corpus and the target's dictionary by a fixed-seed
// mutator. Every normal build runs this, so the targets keep building and their seeds keep passing.
// A crash fails the run as it would under libFuzzer; so does an exception the target let through.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The entries of a libFuzzer dictionary: one quoted string a line, optionally named (name="..."),
// with \\, \" and \xNN escapes; blank lines and # comments are skipped.
std::vector<std::string> readDictionary(const std::filesystem::path &path)
{
    std::vector<std::string> tokens;
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read the dictionary " + path.string());
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(" \t");
        const std::size_t open = line.find('"');
        const std::size_t close = line.rfind('"');
        if (first == std::string::npos || line[first] == '#' || open == std::string::npos || close <= open)
            continue;
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] != '\\' || i + 1 >= close) {
                token += line[i];
            } else if (line[i + 1] == 'x' && i + 3 < close && hexDigit(line[i + 2]) >= 0
                       && hexDigit(line[i + 3]) >= 0) {
                token += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
                i += 3;
            } else {
                token += line[++i];
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

class Mutator
{
public:
    explicit Mutator(std::vector<std::string> tokens)
        : m_tokens(std::move(tokens))
    {
    }

    std::string mutated(std::string s)
    {
        const int edits = pick(1, 4);
        for (int i = 0; i < edits; ++i) {
            const std::size_t at
                = s.empty() ? 0 : static_cast<std::size_t>(pick(0, static_cast<int>(s.size())));
            switch (pick(m_tokens.empty() ? 1 : 0, 4)) {
            case 0:
                s.insert(at, token());
                break;
            case 1:
                s.insert(at, 1, static_cast<char>(pick(0, 255)));
                break;
            case 2:
                if (at < s.size())
                    s.erase(at, static_cast<std::size_t>(pick(1, 16)));
                break;
            case 3:
                if (at < s.size())
                    s[at] = static_cast<char>(s[at] ^ (1 << pick(0, 7)));
                break;
            default: {
                // A piece of the input copied elsewhere: repeated elements and attributes.
                if (s.empty())
                    break;
                const std::size_t from = static_cast<std::size_t>(pick(0, static_cast<int>(s.size()) - 1));
                s.insert(at, s.substr(from, static_cast<std::size_t>(pick(1, 64))));
                break;
            }
            }
        }
        return s;
    }

    // Tokens of the dictionary strung together: inputs no seed resembles.
    std::string fromTokens()
    {
        std::string s;
        if (m_tokens.empty())
            return s;
        const int count = pick(1, 24);
        for (int i = 0; i < count; ++i)
            s += token();
        return s;
    }

    std::string token()
    {
        return m_tokens.empty()
            ? std::string()
            : m_tokens[static_cast<std::size_t>(pick(0, static_cast<int>(m_tokens.size()) - 1))];
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

private:
    std::vector<std::string> m_tokens;
    std::mt19937 m_rng {20261209};
};

void feed(const std::string &input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " CORPUS_DIR|FILE [DICTIONARY|- [GENERATED_COUNT]]\n";
        return 2;
    }
    try {
        const std::filesystem::path source(argv[1]);
        std::vector<std::string> corpus;
        if (std::filesystem::is_directory(source)) {
            for (const auto &entry : std::filesystem::directory_iterator(source))
                corpus.push_back(readFile(entry.path()));
        } else if (std::filesystem::is_regular_file(source)) {
            corpus.push_back(readFile(source));
        }
        if (corpus.empty()) {
            std::cerr << "no inputs in " << source << '\n';
            return 2;
        }
        std::sort(corpus.begin(), corpus.end());
        const std::string dictionary = argc > 2 ? argv[2] : "-";
        const int generated = argc > 3 ? std::stoi(argv[3]) : 0;

        for (const std::string &input : corpus)
            feed(input);
        Mutator mutator(dictionary == "-" ? std::vector<std::string> {} : readDictionary(dictionary));
        for (int i = 0; i < generated; ++i) {
            std::string input = corpus[static_cast<std::size_t>(i / 2) % corpus.size()];
            if (i % 8 == 7)
                input = mutator.fromTokens();
            input = mutator.mutated(std::move(input));
            // Targets that read settings from the first bytes get them varied too.
            if (i % 7 == 0)
                input.insert(0, mutator.token());
            feed(input);
        }
        std::cout << corpus.size() << " corpus inputs and " << generated << " generated inputs ran\n";
    } catch (const std::exception &e) {
        std::cerr << "unexpected exception: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
