#pragma once

#include "bex/Core/Exception.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/Host.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Parameters/ParameterGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace TonvikTest
{

// The message of the Bex::Exception that a_action throws, or "<no exception>".
template <typename Action>
std::u16string exception_text(Action a_action)
{
    try
    {
        a_action();
    }
    catch (const Bex::Exception& exception)
    {
        return exception.get_message();
    }
    return u"<no exception>";
}

class RecordingHost : public Tonvik::Host
{
public:
    void begin_edit(Tonvik::Parameter*) override { m_calls.push_back("begin"); }
    void end_edit(Tonvik::Parameter*) override { m_calls.push_back("end"); }
    void automate(Tonvik::Parameter*, float a_value) override
    {
        m_calls.push_back("automate");
        m_automated.push_back(a_value);
    }

    std::vector<std::string> m_calls;
    std::vector<float> m_automated;
};

class CountingCallback : public Tonvik::CommittableCallback
{
public:
    explicit CountingCallback(int* a_count) : m_count(a_count) {}
    void call() override { ++*m_count; }

private:
    int* m_count;
};

// A device with a collection of parameters, initialised on demand, torn down in order.
class DeviceFixture : public ::testing::Test
{
protected:
    ~DeviceFixture() override { delete m_collection; }

    template <typename T>
    T* add(T* a_parameter, uint32_t a_id)
    {
        a_parameter->set_id(a_id);
        m_collection->get_root()->append_parameter(a_parameter);
        return a_parameter;
    }

    void initialize() { m_collection->initialize(&m_device); }

    Tonvik::Device m_device;
    Tonvik::ParameterCollection* m_collection = new Tonvik::ParameterCollection();
};

} // namespace TonvikTest
