#include "quorlinchorus/Program/ChorusOptions.h"

#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"
#include "quorlinchorus/Engine/Kernels/TransformKernels.h"

namespace quorlinchorus
{

void append_transformation_options(TransformationChoice& a_choice)
{
    // "None" carries no kernel: the voice's own array is read as it is.
    a_choice.append_option(1, u"None", nullptr);
    a_choice.append_option(2, u"Offset", &transform_offset);
    a_choice.append_option(3, u"Offset+Scale", &transform_offset_scale);
    a_choice.append_option(4, u"Scale", &transform_scale);
    a_choice.append_option(5, u"Scale+Offset", &transform_scale_offset);
    a_choice.m_default_option_id = 1;
    a_choice.m_default_value = nullptr;
}

void append_pan_law_options(PanLawChoice& a_choice)
{
    a_choice.append_option(1, u"-6dB (lin)", &pan_law_linear, u"-6dB, linear");
    a_choice.append_option(2, u"-3dB (sch)", &pan_law_sin_cos_high,
                           u"-3dB, sin/cos, high precision, constant power");
    a_choice.append_option(3, u"-3dB (scl)", &pan_law_sin_cos_low,
                           u"-3dB, sin/cos, low precision, constant power");
    a_choice.append_option(4, u"-3dB (sqr)", &pan_law_square_root,
                           u"-3dB, square root, constant power");
    a_choice.m_default_option_id = 2;
    a_choice.m_default_value = &pan_law_sin_cos_high;
}

void append_interpolation_options(InterpolationChoice& a_choice)
{
    a_choice.append_option(1, u"Linear", InterpolationAlgorithm_LINEAR);
    a_choice.append_option(2, u"Cubic", InterpolationAlgorithm_CUBIC);
    a_choice.m_default_option_id = 1;
    a_choice.m_default_value = InterpolationAlgorithm_LINEAR;
}

void append_processing_mode_options(ProcessingModeChoice& a_choice)
{
    a_choice.append_option(1, u"2 buffers", &ChorusEngine::process_two_buffers,
                           u"2 buffers, input pan applied when reading, input gain ignored");
    a_choice.append_option(2, u"8 buffers", &ChorusEngine::process_eight_buffers,
                           u"8 buffers, input pan applied when writing");
    a_choice.m_default_option_id = 2;
    a_choice.m_default_value = &ChorusEngine::process_eight_buffers;
}

} // namespace quorlinchorus
