// libFuzzer entry: any bytes, decoded as a script file is, must compile and
// run to an error or an end, never a crash. A watchdog stops endless loops.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <thread>

#include "textcodec/TextCodec.h"
#include "vbscript/Engine.h"

namespace {

struct SilentHost : vbs::Host {
    void echo(std::u16string_view) override {}
    int msgBox(std::u16string_view, int, std::u16string_view) override { return 1; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::u16string(u"1");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto script = textcodec::DecodeScriptFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!script) return 0;
    SilentHost host;
    vbs::Engine engine(host);
    engine.setSystemObjects(false);  // mutated input must not delete files or run commands
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(m);
        if (!cv.wait_for(lock, std::chrono::milliseconds(500), [&] { return done; })) engine.requestStop();
    });
    engine.execute(script->text);
    {
        std::lock_guard lock(m);
        done = true;
    }
    cv.notify_one();
    watchdog.join();
    return 0;
}
