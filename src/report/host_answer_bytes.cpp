#include "report/host_answer_bytes.h"

#include "report/end_record_filter.h"

namespace tessaly::report {

void HostAnswerBytes::add(std::string_view bytes)
{
    if (m_inRecord) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            return;
        m_inRecord = false;
        bytes.remove_prefix(end + 1);
    }
    m_bytes.append(bytes);
}

std::string HostAnswerBytes::take(const std::string& token, bool addedLineFeed)
{
    const std::size_t start = m_bytes.find(EndRecordFilter::recordStart(token));
    if (start == std::string::npos) {
        // Only when the record came without its bytes (nothing was added):
        // there is no answer to cut out.
        m_bytes.clear();
        return {};
    }
    std::string answer = m_bytes.substr(0, start);
    if (addedLineFeed && answer.ends_with('\n'))
        answer.pop_back();
    const std::size_t end = m_bytes.find('\n', start);
    if (end == std::string::npos) {
        m_bytes.clear();
        m_inRecord = true;
    } else {
        m_bytes.erase(0, end + 1);
    }
    return answer;
}

void HostAnswerBytes::reset()
{
    m_bytes.clear();
    m_inRecord = false;
}

} // namespace tessaly::report
