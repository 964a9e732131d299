// Any bytes as a resource script: templates come back, or the reader says which line is
// wrong; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "ui/framework/rc_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    try {
        for (const DialogTemplate& dialog : ReadDialogTemplates(script, "#define IDC_NAME 1000\n"))
            FindControlTemplate(dialog, 1000);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
