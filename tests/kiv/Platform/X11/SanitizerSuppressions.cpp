// Fontconfig keeps the patterns behind Pango's process-wide font map for the life of the process,
// through pointers that the leak checker cannot follow; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// Pango's font map loads fonts on a GLib worker thread of its own, and fontconfig's caches are
// shared between that thread and ours inside those uninstrumented libraries. Our windows keep to
// one thread; only reports inside the font libraries are silenced.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libfontconfig.so\nrace:libglib-2.0.so\nrace:libpango-1.0.so\n"
           "race:libpangoft2-1.0.so\nrace:libcairo.so\n";
}
