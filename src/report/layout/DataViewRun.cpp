#include "report/layout/DataViewRun.h"

#include "report/components/RpPersistent.h"
#include "report/project/ReportErrors.h"
#include "runtime/core/DateTime.h"
#include "runtime/core/Numbers.h"

#include <cstring>

namespace qv::report {

namespace {

std::string_view unbracketed(std::string_view name)
{
    if (name.size() >= 2 && name.front() == '<' && name.back() == '>')
        return name.substr(1, name.size() - 2);
    return name;
}

template<class T>
T readRaw(const std::string& bytes)
{
    T value {};
    if (bytes.size() >= sizeof(T))
        std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
}

} // namespace

long double fixedValueNumber(int dataType, const std::string& bytes)
{
    switch (dataType) {
    case 1: return readRaw<std::int32_t>(bytes);
    case 2: return bytes.empty() ? 0 : (bytes[0] ? 1 : 0);
    case 3: {
        long double value = 0;
        if (bytes.size() >= 10 && sizeof(long double) >= 10)
            std::memcpy(&value, bytes.data(), 10);
        return value;
    }
    case 4:
    case 5: return readRaw<std::int64_t>(bytes) / 10000.0L;
    case 6:
    case 7:
    case 8: return readRaw<double>(bytes);
    case 12: return readRaw<std::int64_t>(bytes);
    default: return 0;
    }
}

DataViewRun::DataViewRun(std::unique_ptr<RowSource> source)
    : m_source(std::move(source))
{
}

bool DataViewRun::open()
{
    if (m_open)
        return true;
    m_open = m_source && m_source->open();
    return m_open;
}

void DataViewRun::close()
{
    if (m_open)
        m_source->close();
    m_open = false;
}

void DataViewRun::first()
{
    if (!m_open)
        return;
    m_rows.clear();
    m_base = 0;
    m_position = 0;
    m_started = true;
    fetch(true);
}

void DataViewRun::next()
{
    if (!m_started) {
        first();
        return;
    }
    if (eof())
        return;
    ++m_position;
    if (m_position - m_base >= long(m_rows.size()))
        fetch(false);
    while (!m_saving && m_base < m_position) {
        m_rows.pop_front();
        ++m_base;
    }
}

void DataViewRun::fetch(bool fromStart)
{
    Row row;
    bool found = fromStart ? m_source->first(row) : m_source->next(row);
    if (found)
        m_rows.emplace_back(std::move(row));
    else
        m_rows.emplace_back(std::nullopt);
}

const Row* DataViewRun::current() const
{
    long index = m_position - m_base;
    if (!m_started || index < 0 || index >= long(m_rows.size()) || !m_rows[std::size_t(index)])
        return nullptr;
    return &*m_rows[std::size_t(index)];
}

bool DataViewRun::eof() const
{
    return current() == nullptr;
}

void DataViewRun::saveState()
{
    if (m_saving)
        throw ERpException("DataView.SaveState called while Saving.");
    m_saving = true;
    m_savedPosition = m_position;
}

void DataViewRun::restoreState()
{
    if (!m_saving)
        throw ERpException("DataView.RestoreState called when not saving.");
    m_saving = false;
    m_position = m_savedPosition;
    while (m_base < m_position) {
        m_rows.pop_front();
        ++m_base;
    }
}

int DataViewRun::fieldIndex(std::string_view name) const
{
    if (!m_source)
        return -1;
    const auto& fields = m_source->fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameText(fields[i].name, name) || sameText(unbracketed(fields[i].name), unbracketed(name)))
            return int(i);
    }
    return -1;
}

const Row* DataViewRun::ahead()
{
    if (eof())
        return nullptr;
    long index = m_position + 1 - m_base;
    if (index >= long(m_rows.size()))
        fetch(false);
    const auto& row = m_rows[std::size_t(index)];
    return row ? &*row : nullptr;
}

bool DataViewRun::eofAhead()
{
    return ahead() == nullptr;
}

std::optional<FieldRead> DataViewRun::readFieldAhead(std::string_view name)
{
    return fieldOf(ahead(), name);
}

std::optional<FieldRead> DataViewRun::readField(std::string_view name) const
{
    return fieldOf(current(), name);
}

std::optional<FieldRead> DataViewRun::fieldOf(const Row* row, std::string_view name) const
{
    int index = fieldIndex(name);
    if (index < 0)
        return std::nullopt;
    const RowField& field = m_source->fields()[std::size_t(index)];
    FieldRead read;
    read.isString = field.dataType == 0 || field.dataType == 10;
    const RowCell* cell = row && std::size_t(index) < row->size() ? &(*row)[std::size_t(index)] : nullptr;
    if (!cell || cell->isNull) {
        read.isNull = true;
        read.text = field.nullText;
        return read;
    }
    if (!read.isString)
        read.number = fixedValueNumber(field.dataType, cell->native);
    if (cell->formatted)
        read.text = *cell->formatted;
    else if (read.isString || field.dataType == 9 || field.dataType == 11)
        read.text = cell->native;
    else if (field.dataType >= 6 && field.dataType <= 8)
        read.text = dateToStr(double(read.number));
    else
        read.text = numberText(read.number);
    return read;
}

} // namespace qv::report
