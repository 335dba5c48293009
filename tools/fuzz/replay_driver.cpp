// The fuzz targets' main where libFuzzer is not to be had: the 32-bit cross
// compiler, whose programs run under qemu-i386, where pointers, size_t and
// long are 4 bytes as in the 32-bit release. It feeds LLVMFuzzerTestOneInput
// every file of the folders (or files) named, then inputs mutated from them
// (bytes flipped, changed, cut out, repeated, spliced in from another input,
// tokens of the -dict= file put in) until -max_total_time= seconds have gone.
// An input that kills the process is first written to -artifact_prefix= +
// "crash" so that it can be replayed: the program with that file alone.
// Options libFuzzer takes and this does not are ignored, so the scripts can
// run both alike; the line "stat::number_of_executed_units: N" is libFuzzer's.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// What the signal handler writes out; set before each run.
const std::string* g_current = nullptr;
char g_crashPath[4096] = "crash";

// Only async-signal-safe calls here: the input as it was, then death by the
// same signal.
void OnFatalSignal(int signal) {
    if (g_current) {
        const int file = ::open(g_crashPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file >= 0) {
            const ssize_t written = ::write(file, g_current->data(), g_current->size());
            (void)written;
            ::close(file);
        }
        static const char told[] = "replay driver: the input that failed is in ";
        (void)!::write(2, told, sizeof told - 1);
        (void)!::write(2, g_crashPath, std::strlen(g_crashPath));
        (void)!::write(2, "\n", 1);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// libFuzzer's dictionary lines: name="value" or "value", with \\, \" and \xNN.
std::vector<std::string> ReadDictionary(const std::string& path) {
    std::vector<std::string> tokens;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const std::size_t open = line.find('"'), close = line.rfind('"');
        if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open) continue;
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] != '\\' || i + 1 >= close) {
                token += line[i];
            } else if (line[i + 1] == 'x' && i + 3 < close) {
                token += static_cast<char>(std::strtol(line.substr(i + 2, 2).c_str(), nullptr, 16));
                i += 3;
            } else {
                token += line[++i];
            }
        }
        if (!token.empty()) tokens.push_back(token);
    }
    return tokens;
}

class Mutator {
public:
    Mutator(unsigned seed, std::vector<std::string> tokens) : random_(seed), tokens_(std::move(tokens)) {}

    std::string Mutate(const std::vector<std::string>& inputs, std::size_t maxLength) {
        std::string input = inputs[Below(inputs.size())];
        for (std::size_t steps = 1 + Below(4); steps > 0; --steps) Step(input, inputs);
        if (input.size() > maxLength) input.resize(maxLength);
        return input;
    }

private:
    std::size_t Below(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    void Step(std::string& input, const std::vector<std::string>& inputs) {
        const std::size_t at = Below(input.size() + 1);
        switch (Below(7)) {
            case 0:  // one bit
                if (at < input.size()) input[at] = static_cast<char>(input[at] ^ (1 << Below(8)));
                break;
            case 1:  // one byte, often a telling one
                if (at < input.size()) {
                    static const char kTelling[] = {0,   1,   0x7F, '\x80', '\xFF', ',', '=',
                                                    '[', ']', '\r', '\n',   '-',    '9'};
                    input[at] = Below(2) ? kTelling[Below(sizeof kTelling)] : static_cast<char>(Below(256));
                }
                break;
            case 2:  // a piece cut out
                input.erase(at, Below(input.size() - at + 1));
                break;
            case 3:  // a piece repeated
                if (at < input.size()) input.insert(at, input.substr(at, 1 + Below(64)));
                break;
            case 4: {  // a piece of another input
                const std::string& other = inputs[Below(inputs.size())];
                const std::size_t from = Below(other.size() + 1);
                input.insert(at, other.substr(from, Below(other.size() - from + 1)));
                break;
            }
            case 5:  // a dictionary token
                if (!tokens_.empty()) input.insert(at, tokens_[Below(tokens_.size())]);
                break;
            default:  // the end cut off
                input.resize(at);
                break;
        }
    }

    std::mt19937 random_;
    std::vector<std::string> tokens_;
};

bool Option(const std::string& argument, const char* name, std::string& value) {
    const std::string prefix = std::string("-") + name + "=";
    if (argument.compare(0, prefix.size(), prefix) != 0) return false;
    value = argument.substr(prefix.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long seconds = 0;
    std::size_t maxLength = 4096;
    unsigned seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::string dictionary, prefix;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string value;
        if (Option(argument, "max_total_time", value)) {
            seconds = std::atol(value.c_str());
        } else if (Option(argument, "max_len", value)) {
            maxLength = static_cast<std::size_t>(std::atol(value.c_str()));
        } else if (Option(argument, "seed", value)) {
            seed = static_cast<unsigned>(std::atol(value.c_str()));
        } else if (Option(argument, "dict", value)) {
            dictionary = value;
        } else if (Option(argument, "artifact_prefix", value)) {
            prefix = value;
        } else if (argument.empty() || argument[0] != '-') {
            std::error_code error;
            if (std::filesystem::is_directory(argument, error)) {
                for (const auto& entry : std::filesystem::directory_iterator(argument, error)) {
                    if (entry.is_regular_file(error)) inputs.push_back(ReadFile(entry.path()));
                }
            } else {
                inputs.push_back(ReadFile(argument));
            }
        }
    }
    if (inputs.empty()) inputs.emplace_back();
    std::snprintf(g_crashPath, sizeof g_crashPath, "%scrash", prefix.c_str());
    for (const int signal : {SIGSEGV, SIGILL, SIGABRT, SIGFPE, SIGBUS}) ::signal(signal, OnFatalSignal);
    std::printf("replay driver: %zu inputs, seed %u, %ld s of mutations\n", inputs.size(), seed, seconds);
    std::fflush(stdout);

    unsigned long runs = 0;
    const auto run = [&runs](const std::string& input) {
        g_current = &input;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        g_current = nullptr;
        ++runs;
    };
    for (const std::string& input : inputs) run(input);
    Mutator mutator(seed, dictionary.empty() ? std::vector<std::string>() : ReadDictionary(dictionary));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
        const std::string input = mutator.Mutate(inputs, maxLength);
        run(input);
    }
    std::printf("stat::number_of_executed_units: %lu\n", runs);
    return 0;
}
