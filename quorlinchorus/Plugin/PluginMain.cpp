// The plug-in library's only exports: the VST 2.4 entry and, for older Linux hosts, the same entry
// under the name "main".
#include "quorlinchorus/Plugin/BuiltInStyleSheet.h"
#include "quorlinchorus/TheEffect.h"
#include "tonvik/Platform/PluginExport.h"
#include "tonvik/Vst/VstEntry.h"

namespace
{

Tonvik::Device* create_chorus()
{
    return new quorlinchorus::TheEffect();
}

} // namespace

extern "C" TONVIK_PLUGIN_EXPORT AEffect* VSTPluginMain(audioMasterCallback a_audio_master)
{
    return Tonvik::create_vst_effect(a_audio_master, &create_chorus,
                                     quorlinchorus::built_in_style_sheet());
}

#if TONVIK_PLUGIN_HAS_MAIN_ALIAS
extern "C" TONVIK_PLUGIN_EXPORT AEffect*
main_plugin(audioMasterCallback a_audio_master) asm("main");

extern "C" AEffect* main_plugin(audioMasterCallback a_audio_master)
{
    return VSTPluginMain(a_audio_master);
}
#endif
