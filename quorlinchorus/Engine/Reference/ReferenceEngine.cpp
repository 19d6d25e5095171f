#include "quorlinchorus/Engine/Reference/ReferenceEngine.h"

#include "quorlinchorus/Engine/ChorusEngine.h"
#include "quorlinchorus/Engine/Reference/ReferenceKernels.h"

#include "bex/Core/Assert.h"

namespace quorlinchorus
{

namespace
{

struct Scratch
{
    float m_staging_l[SubBlockSize] = {};
    float m_staging_r[SubBlockSize] = {};
    float m_wet_l[SubBlockSize] = {};
    float m_wet_r[SubBlockSize] = {};
    float m_delay[SubBlockSize];
    float m_depth[SubBlockSize];
    float m_position[SubBlockSize];
    float m_in_gains[2 * SubBlockSize];
    float m_out_gains[2 * SubBlockSize];
};

void positions(const ChorusEngine& a_engine, const ChorusVoice& a_voice, Scratch& a_scratch)
{
    const float* d = a_voice.m_delay;
    const float* w = a_voice.m_depth;
    if (TransformKernel kernel = reference_transform_for(a_engine.m_delay_transformation))
    {
        kernel(a_voice.m_delay, a_engine.m_delay_offset, a_engine.m_delay_scale, a_scratch.m_delay);
        d = a_scratch.m_delay;
    }
    if (TransformKernel kernel = reference_transform_for(a_engine.m_depth_transformation))
    {
        kernel(a_voice.m_depth, a_engine.m_depth_offset, a_engine.m_depth_scale, a_scratch.m_depth);
        w = a_scratch.m_depth;
    }
    reference_compute_positions(d, w, a_voice.m_pitch_modulation,
                                a_engine.get_bounds(a_engine.m_interpolation),
                                a_scratch.m_position);
}

void accumulate(const ChorusEngine& a_engine, const ChorusVoice& a_voice, const float* a_mono,
                Scratch& a_scratch)
{
    reference_pan_law_for(a_voice.m_output_pan_law)(a_voice.m_output_pan, a_engine.m_output_stereo,
                                                    a_scratch.m_out_gains);
    for (unsigned k = 0; k < SubBlockSize; ++k)
    {
        a_scratch.m_wet_l[k] += a_mono[k] * a_voice.m_output_gain[k] * a_scratch.m_out_gains[k];
        a_scratch.m_wet_r[k] +=
            a_mono[k] * a_voice.m_output_gain[k] * a_scratch.m_out_gains[SubBlockSize + k];
    }
}

void two_buffers(ChorusEngine& a_engine, Scratch& a_scratch, unsigned a_count)
{
    DelayMemory& memory = a_engine.get_two_channel_memory();
    memory.write(0, a_scratch.m_staging_l, a_count);
    memory.write(1, a_scratch.m_staging_r, a_count);
    const ReadKernel read = reference_read_for(a_engine.m_interpolation);
    for (unsigned a = 0; a < a_engine.get_active_voice_count(); ++a)
    {
        const ChorusVoice& voice = a_engine.m_voices[a_engine.get_active_voices()[a]];
        positions(a_engine, voice, a_scratch);
        reference_pan_law_for(voice.m_input_pan_law)(voice.m_input_pan, a_engine.m_input_stereo,
                                                     a_scratch.m_in_gains);
        float y_l[SubBlockSize];
        float y_r[SubBlockSize];
        read(memory.get_channel(0), memory.get_write_indices(), memory.get_mask(),
             a_scratch.m_position, y_l);
        read(memory.get_channel(1), memory.get_write_indices(), memory.get_mask(),
             a_scratch.m_position, y_r);
        float mono[SubBlockSize];
        for (unsigned k = 0; k < SubBlockSize; ++k)
            mono[k] =
                y_l[k] * a_scratch.m_in_gains[k] + y_r[k] * a_scratch.m_in_gains[SubBlockSize + k];
        accumulate(a_engine, voice, mono, a_scratch);
    }
    memory.advance(a_count);
}

void eight_buffers(ChorusEngine& a_engine, Scratch& a_scratch, unsigned a_count)
{
    DelayMemory& memory = a_engine.get_eight_channel_memory();
    const ReadKernel read = reference_read_for(a_engine.m_interpolation);
    for (unsigned a = 0; a < a_engine.get_active_voice_count(); ++a)
    {
        const unsigned index = a_engine.get_active_voices()[a];
        const ChorusVoice& voice = a_engine.m_voices[index];
        reference_pan_law_for(voice.m_input_pan_law)(voice.m_input_pan, a_engine.m_input_stereo,
                                                     a_scratch.m_in_gains);
        float voice_input[SubBlockSize];
        for (unsigned k = 0; k < SubBlockSize; ++k)
            voice_input[k] = (a_scratch.m_staging_l[k] * a_scratch.m_in_gains[k] +
                              a_scratch.m_staging_r[k] * a_scratch.m_in_gains[SubBlockSize + k]) *
                             voice.m_input_gain[k];
        memory.write(index, voice_input, a_count);

        positions(a_engine, voice, a_scratch);
        float mono[SubBlockSize];
        read(memory.get_channel(index), memory.get_write_indices(), memory.get_mask(),
             a_scratch.m_position, mono);
        accumulate(a_engine, voice, mono, a_scratch);
    }
    memory.advance(a_count);
}

} // namespace

void reference_process_sub_block(ChorusEngine& a_engine, const float* a_in_l, const float* a_in_r,
                                 float* a_out_l, float* a_out_r, unsigned a_count)
{
    BEX_ASSERT(a_count >= 1 && a_count <= SubBlockSize);
    Scratch scratch;
    for (unsigned k = 0; k < a_count; ++k)
    {
        scratch.m_staging_l[k] = a_in_l[k];
        scratch.m_staging_r[k] = a_in_r[k];
    }

    if (a_engine.m_processing_kernel == &ChorusEngine::process_two_buffers)
        two_buffers(a_engine, scratch, a_count);
    else if (a_engine.m_processing_kernel == &ChorusEngine::process_eight_buffers)
        eight_buffers(a_engine, scratch, a_count);
    else
    {
        BEX_ASSERT(!a_engine.m_processing_kernel);
        for (unsigned k = 0; k < a_count; ++k)
            a_out_l[k] = a_out_r[k] = 0.0f;
        return;
    }

    for (unsigned k = 0; k < a_count; ++k)
    {
        const float in_l = scratch.m_staging_l[k];
        const float in_r = scratch.m_staging_r[k];
        a_out_l[k] = (in_l * a_engine.m_dry[k] + scratch.m_wet_l[k] * a_engine.m_wet[k]) *
                     a_engine.m_global_gain[k];
        a_out_r[k] = (in_r * a_engine.m_dry[k] + scratch.m_wet_r[k] * a_engine.m_wet[k]) *
                     a_engine.m_global_gain[k];
    }
}

} // namespace quorlinchorus
