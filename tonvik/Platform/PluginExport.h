#pragma once

// Marks the plug-in library's entry points as its only exports: everything else the library holds,
// the statically linked runtime included, stays private to it.
#if defined(_WIN32)
#define TONVIK_PLUGIN_EXPORT __declspec(dllexport)
// Windows hosts look only for VSTPluginMain.
#define TONVIK_PLUGIN_HAS_MAIN_ALIAS 0
#else
#define TONVIK_PLUGIN_EXPORT __attribute__((visibility("default")))
// Older Linux hosts look for the entry under the name "main".
#define TONVIK_PLUGIN_HAS_MAIN_ALIAS 1
#endif
