// Keeps Mesa's software GL driver loaded for the whole test process.
#pragma once

namespace zp::test {

// Mesa unloads the driver (dlclose) when the last window's display closes.
// Blocks that the driver still points to from its own globals then look
// unreachable to LeakSanitizer, which reports them as leaks of whoever drew
// last. Holding the driver with RTLD_NODELETE keeps its globals scanned.
void keepGlDriverLoaded();

} // namespace zp::test
