#pragma once

#include "quorlinchorus/Engine/KernelTypes.h"

#include <cstdint>

namespace quorlinchorus
{

class DelayMemory;
struct ChorusVoice;

// The kernels exist once per instruction set, giving the same bits with each, so that a render
// is byte-identical on processors with and without AVX2.
enum InstructionSet : uint32_t
{
    InstructionSet_SSE2 = 0,
    InstructionSet_AVX2 = 1,
    InstructionSet_ENUM_SIZE = 2
};

// Indices of the tables below, in the order the pan law option lists them.
enum PanLaw : uint32_t
{
    PanLaw_LINEAR = 0,
    PanLaw_SIN_COS_HIGH = 1,
    PanLaw_SIN_COS_LOW = 2,
    PanLaw_SQUARE_ROOT = 3,
    PanLaw_ENUM_SIZE = 4
};

enum Transformation : uint32_t
{
    Transformation_OFFSET = 0,
    Transformation_OFFSET_SCALE = 1,
    Transformation_SCALE = 2,
    Transformation_SCALE_OFFSET = 3,
    Transformation_ENUM_SIZE = 4
};

// A pan law's last inputs and gains, so that a voice whose pan and stereo width did not change
// (the usual case) reuses its gains instead of computing the same bits again.
struct PanGainCache
{
    alignas(32) float m_pan[SubBlockSize] = {};
    alignas(32) float m_gains[2 * SubBlockSize] = {};
    PanLawKernel m_law = nullptr;
    // The serial of the stereo width the gains were computed with; 0 is none.
    uint64_t m_stereo_serial = 0;
};

// What the voice loop of one sub-block reads and writes, gathered by the engine from its fields.
struct VoiceBlock
{
    const ChorusVoice* m_voices = nullptr;
    const unsigned* m_active_voices = nullptr;
    unsigned m_active_voice_count = 0;
    TransformKernel m_delay_transformation = nullptr;
    TransformKernel m_depth_transformation = nullptr;
    const float* m_delay_offset = nullptr;
    const float* m_delay_scale = nullptr;
    const float* m_depth_offset = nullptr;
    const float* m_depth_scale = nullptr;
    const float* m_input_stereo = nullptr;
    const float* m_output_stereo = nullptr;
    // Serials that change whenever the stereo widths change: all voices share the widths, so the
    // engine compares them once per sub-block instead of each pan cache.
    uint64_t m_input_stereo_serial = 0;
    uint64_t m_output_stereo_serial = 0;
    const float* m_bounds = nullptr;
    const float* m_staging_l = nullptr;
    const float* m_staging_r = nullptr;
    float* m_wet_l = nullptr;
    float* m_wet_r = nullptr;
    // Per voice: input pan gains, then output pan gains.
    PanGainCache (*m_pan_caches)[2] = nullptr;
    // Two buffers: the left and right channel; eight buffers: the channel of each voice, whose
    // input the loop writes before reading it (as DelayMemory::write does).
    float* m_channels[8] = {};
    const int32_t* m_write_indices = nullptr;
    int32_t m_mask = 0;
    unsigned m_count = 0;
};

// Every active voice of a sub-block, added into the wet arrays.
using VoiceLoop = void (*)(const VoiceBlock& a_block);

using PositionKernel = void (*)(const float* a_delay, const float* a_depth,
                                const float* a_modulation, const float* a_bounds,
                                float* a_position);

struct KernelSet
{
    InstructionSet m_instruction_set;
    PanLawKernel m_pan_laws[PanLaw_ENUM_SIZE];
    TransformKernel m_transformations[Transformation_ENUM_SIZE];
    PositionKernel m_positions;
    ReadKernel m_reads[InterpolationAlgorithm_ENUM_SIZE];
    VoiceLoop m_two_buffers[InterpolationAlgorithm_ENUM_SIZE];
    VoiceLoop m_eight_buffers[InterpolationAlgorithm_ENUM_SIZE];
};

// The set this process uses, chosen once: AVX2 where the processor has it, unless the
// environment variable QUORLIN_BASELINE_KERNELS is set to anything but "0" or empty.
const KernelSet& get_kernel_set();
// Any set, for comparing kernels; only a supported one may be run.
const KernelSet& get_kernel_set(InstructionSet a_instruction_set);
bool is_instruction_set_supported(InstructionSet a_instruction_set);

// The position of a kernel in its table in any set, or -1: what option a pointer stands for.
int32_t find_pan_law(PanLawKernel a_kernel);
int32_t find_transformation(TransformKernel a_kernel);

} // namespace quorlinchorus
