// Feeds arbitrary bytes to the item reader: it must end, consume its input
// strictly forward and never hand out more than it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "filecontrol/ItemReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    filecontrol::ItemReader reader(text);
    size_t items = 0;
    size_t bytes = 0;
    while (!reader.AtEnd()) {
        bytes += reader.Next().size();
        if (++items > size) {
            std::abort();  // every item consumes at least one byte
        }
    }
    if (bytes > size) {
        std::abort();
    }
    return 0;
}
