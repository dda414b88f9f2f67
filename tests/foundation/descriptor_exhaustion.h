#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <vector>

// While alive, the process can open no more than `spare` further
// descriptors: the soft limit is lowered and the rest is taken by
// duplicates. Makes "the folder cannot be opened" happen even for root.
class DescriptorExhaustion {
public:
    explicit DescriptorExhaustion(size_t spare = 0)
    {
        m_limited = getrlimit(RLIMIT_NOFILE, &m_saved) == 0;
        if (m_limited) {
            rlimit low = m_saved;
            low.rlim_cur = 64;
            m_limited = setrlimit(RLIMIT_NOFILE, &low) == 0;
        }
        if (!m_limited)
            return;  // never spend up to an unknown (possibly huge) limit
        for (int fd; (fd = dup(0)) >= 0;)
            m_spent.push_back(fd);
        for (; spare > 0 && !m_spent.empty(); --spare) {
            close(m_spent.back());
            m_spent.pop_back();
        }
    }
    ~DescriptorExhaustion()
    {
        for (int fd : m_spent)
            close(fd);
        if (m_limited)
            setrlimit(RLIMIT_NOFILE, &m_saved);
    }
    DescriptorExhaustion(const DescriptorExhaustion&) = delete;
    DescriptorExhaustion& operator=(const DescriptorExhaustion&) = delete;

    bool limited() const { return m_limited; }

private:
    rlimit m_saved{};
    bool m_limited = false;
    std::vector<int> m_spent;
};
