// Report variables: values known when written, or slots filled in once they are set.
#include "report/snapshot/TRvNDRWriter.h"

#include "report/snapshot/EReportPrinter.h"

namespace qv {

using namespace snapshot;

TRvNDRWriter::Variable* TRvNDRWriter::findVariable(const std::string& name)
{
    for (Variable& variable : m_variables) {
        if (variable.name == name)
            return &variable;
    }
    return nullptr;
}

void TRvNDRWriter::putVariable(ByteWriter& out, Variable& variable)
{
    out.byte(cVariableData);
    out.string(variable.name);
    if (variable.value) {
        // Lengths from 254 up mark a pointer, so a known value stops at 253 bytes.
        std::string value = wholeCharacterPrefix(*variable.value, kVariablePointerLength - 1);
        out.byte(static_cast<uint8_t>(value.size()));
        out.byte(static_cast<uint8_t>(value.size()));
        out.raw(value.data(), value.size());
        return;
    }
    int64_t slot = m_buffer->position() + static_cast<int64_t>(out.bytes().size());
    if (variable.slotPosition < 0) {
        // The reserved slot points at itself until SetVariable fills it in.
        variable.slotPosition = slot;
        m_unfilledSlots.push_back(slot);
        out.byte(kVariableSlotSize);
        out.byte(kVariableUnknownLength);
        out.int32(static_cast<int32_t>(slot));
        std::vector<uint8_t> rest(kVariableSlotSize - 4, 0);
        out.raw(rest.data(), rest.size());
        return;
    }
    out.byte(4);
    out.byte(kVariableUnknownLength);
    out.int32(static_cast<int32_t>(variable.slotPosition));
}

void TRvNDRWriter::writeVariable(Variable& variable)
{
    if (!writing())
        return;
    ByteWriter out;
    putVariable(out, variable);
    emit(out);
}

void TRvNDRWriter::DefineVariable(const std::string& name)
{
    Variable* variable = findVariable(name);
    if (!variable) {
        m_variables.push_back({ name, std::nullopt, -1 });
        variable = &m_variables.back();
    } else {
        *variable = { name, std::nullopt, -1 };
    }
    writeVariable(*variable);
}

void TRvNDRWriter::DefineVariable(const std::string& name, const std::string& value)
{
    Variable* variable = findVariable(name);
    if (!variable) {
        m_variables.push_back({ name, value, -1 });
        variable = &m_variables.back();
    } else {
        variable->value = value;
    }
    writeVariable(*variable);
}

void TRvNDRWriter::SetVariable(const std::string& name, const std::string& value)
{
    Variable* variable = findVariable(name);
    if (!variable) {
        DefineVariable(name, value);
        return;
    }
    variable->value = value;
    if (variable->slotPosition < 0 || m_state != State::Printing)
        return;
    fillSlot(variable->slotPosition, value);
}

void TRvNDRWriter::fillSlot(int64_t position, const std::string& value)
{
    std::string text = wholeCharacterPrefix(value, kVariableSlotSize);
    ByteWriter slot;
    slot.byte(kVariableSlotSize);
    slot.byte(static_cast<uint8_t>(text.size()));
    slot.raw(text.data(), text.size());
    m_buffer->patch(position, slot.bytes().data(), slot.bytes().size());
    std::erase(m_unfilledSlots, position);
}

} // namespace qv
