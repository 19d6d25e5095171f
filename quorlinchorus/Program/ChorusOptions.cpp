#include "quorlinchorus/Program/ChorusOptions.h"

#include "quorlinchorus/Engine/Kernels/KernelSet.h"

namespace quorlinchorus
{

void append_transformation_options(TransformationChoice& a_choice)
{
    // The kernels of the instruction set this process runs, chosen once at start-up.
    const TransformKernel(&kernels)[Transformation_ENUM_SIZE] = get_kernel_set().m_transformations;
    // "None" carries no kernel: the voice's own array is read as it is.
    a_choice.append_option(1, u"None", nullptr);
    a_choice.append_option(2, u"Offset", kernels[Transformation_OFFSET]);
    a_choice.append_option(3, u"Offset+Scale", kernels[Transformation_OFFSET_SCALE]);
    a_choice.append_option(4, u"Scale", kernels[Transformation_SCALE]);
    a_choice.append_option(5, u"Scale+Offset", kernels[Transformation_SCALE_OFFSET]);
    a_choice.m_default_option_id = 1;
    a_choice.m_default_value = nullptr;
}

void append_pan_law_options(PanLawChoice& a_choice)
{
    const PanLawKernel(&kernels)[PanLaw_ENUM_SIZE] = get_kernel_set().m_pan_laws;
    a_choice.append_option(1, u"-6dB (lin)", kernels[PanLaw_LINEAR], u"-6dB, linear");
    a_choice.append_option(2, u"-3dB (sch)", kernels[PanLaw_SIN_COS_HIGH],
                           u"-3dB, sin/cos, high precision, constant power");
    a_choice.append_option(3, u"-3dB (scl)", kernels[PanLaw_SIN_COS_LOW],
                           u"-3dB, sin/cos, low precision, constant power");
    a_choice.append_option(4, u"-3dB (sqr)", kernels[PanLaw_SQUARE_ROOT],
                           u"-3dB, square root, constant power");
    a_choice.m_default_option_id = 2;
    a_choice.m_default_value = kernels[PanLaw_SIN_COS_HIGH];
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
