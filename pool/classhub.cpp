// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classhub.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace nuperako::pool {

ClassHub::Limits ClassHub::Limits::scaled(double factor) const
{
    Limits limits = *this;
    for (std::int64_t *ms : {&limits.joinMs, &limits.pingMs, &limits.silentMs})
        *ms = std::llround(static_cast<double>(*ms) * factor);
    return limits;
}

ClassHub::ClassHub(const WallClock &clock, const Limits &limits)
    : m_clock(clock), m_limits(limits), m_pingedMs(clock.nowMs())
{
}

ClassSession &ClassHub::open(ClassSession session)
{
    const std::string code = session.code();
    close(code);
    return *m_sessions.emplace(code, std::make_unique<ClassSession>(std::move(session))).first->second;
}

void ClassHub::close(const std::string &code)
{
    const auto it = m_sessions.find(code);
    if (it == m_sessions.end())
        return;
    it->second->close();
    collect(*it->second);
    for (auto &[c, page] : m_pages) {
        if (page.classCode == code) {
            page.classCode.clear();
            page.closing = true;
        }
    }
    m_closed.push_back(std::move(it->second));
    m_sessions.erase(it);
}

const ClassSession *ClassHub::openClass(const std::string &code) const
{
    const auto it = m_sessions.find(code);
    return it == m_sessions.end() ? nullptr : it->second.get();
}

void ClassHub::opened(ConnectionId c)
{
    const std::int64_t now = m_clock.nowMs();
    Page &page = m_pages[c];
    page.openedMs = now;
    page.heardMs = now;
}

void ClassHub::received(ConnectionId c, const PageMessage &message)
{
    const auto it = m_pages.find(c);
    if (it == m_pages.end() || it->second.closing)
        return;
    Page &page = it->second;
    const std::int64_t now = m_clock.nowMs();
    page.heardMs = now;
    if (!page.messages.take(now)) {
        refuse(c, page, protocol::kTooManyMessages);
        return;
    }
    ClassSession *session = sessionOf(page);
    if (const auto *fault = std::get_if<MessageFault>(&message); fault && *fault != MessageFault::UnknownType)
        refuse(c, page, *fault == MessageFault::MalformedJson ? protocol::kMalformedJson : protocol::kMalformedState);
    else if (const auto *joining = std::get_if<JoinMessage>(&message); joining && page.classCode.empty())
        join(c, page, *joining);
    else if (const auto *state = std::get_if<StateMessage>(&message); state && session != nullptr)
        session->offer(c, *state, now);
    else if (const auto *seat = std::get_if<SeatMessage>(&message); seat && session != nullptr)
        session->rename(c, seat->name);
    else
        refuse(c, page, protocol::kUnexpected);
    if (session != nullptr)
        collect(*session);
}

void ClassHub::join(ConnectionId c, Page &page, const JoinMessage &message)
{
    const auto it = m_sessions.find(message.classCode);
    if (it == m_sessions.end()) {
        refuse(c, page, protocol::kUnknownClass);
        return;
    }
    ClassSession &session = *it->second;
    if (session.join(c, message.device, m_clock.nowMs())) {
        page.classCode = message.classCode;
        add(Admit{c});
    } else {
        page.closing = true; // the session has refused it
    }
    collect(session);
}

void ClassHub::receivedBinary(ConnectionId c)
{
    if (const auto it = m_pages.find(c); it != m_pages.end() && !it->second.closing)
        refuse(c, it->second, protocol::kBinaryFrame);
}

void ClassHub::ponged(ConnectionId c)
{
    if (const auto it = m_pages.find(c); it != m_pages.end())
        it->second.heardMs = m_clock.nowMs();
}

void ClassHub::closed(ConnectionId c)
{
    const auto it = m_pages.find(c);
    if (it == m_pages.end())
        return;
    if (ClassSession *session = sessionOf(it->second))
        session->leave(c);
    m_pages.erase(it);
}

void ClassHub::tick()
{
    const std::int64_t now = m_clock.nowMs();
    const bool pingDue = now - m_pingedMs >= m_limits.pingMs;
    if (pingDue)
        m_pingedMs = now;
    std::vector<ConnectionId> silent;
    for (auto &[c, page] : m_pages) {
        if (now - page.heardMs > m_limits.silentMs)
            silent.push_back(c);
        else if (page.closing)
            continue;
        else if (page.classCode.empty() && now - page.openedMs >= m_limits.joinMs)
            refuse(c, page, protocol::kJoinFirst);
        else if (pingDue)
            add(Ping{c});
    }
    for (const ConnectionId c : silent)
        drop(c);
}

bool ClassHub::removeExperiment(const std::string &code, int student, std::int64_t experiment)
{
    const auto it = m_sessions.find(code);
    if (it == m_sessions.end() || !it->second->removeExperiment(student, experiment))
        return false;
    collect(*it->second);
    return true;
}

std::vector<const ClassRows *> ClassHub::rowsToWrite()
{
    std::vector<const ClassRows *> rows;
    for (const auto &[code, session] : m_sessions) {
        if (const ClassRows &r = session->rowsToWrite(); !r.empty())
            rows.push_back(&r);
    }
    for (const auto &session : m_closed) {
        if (session->hasRowsToWrite())
            rows.push_back(&session->rowsToWrite());
    }
    return rows;
}

void ClassHub::written(bool ok)
{
    if (!ok) {
        m_writeDueMs = m_clock.nowMs() + kRetryWriteMs;
        return;
    }
    for (const auto &[code, session] : m_sessions)
        session->rowsWritten();
    m_closed.clear();
    std::ranges::move(std::exchange(m_answers, {}), std::back_inserter(m_requests));
    m_writeDueMs.reset();
}

std::vector<SessionRequest> ClassHub::takeRequests()
{
    return std::exchange(m_requests, {});
}

void ClassHub::refuse(ConnectionId c, Page &page, const protocol::Refusal &why)
{
    page.closing = true;
    add(Close{c, why});
}

void ClassHub::drop(ConnectionId c)
{
    closed(c);
    add(Abort{c});
}

ClassSession *ClassHub::sessionOf(const Page &page)
{
    if (page.classCode.empty())
        return nullptr;
    const auto it = m_sessions.find(page.classCode);
    return it == m_sessions.end() ? nullptr : it->second.get();
}

void ClassHub::collect(ClassSession &session)
{
    for (SessionRequest &r : session.takeRequests()) {
        if (const auto *refusal = std::get_if<Close>(&r)) {
            if (const auto page = m_pages.find(refusal->connection); page != m_pages.end())
                page->second.closing = true;
        }
        add(std::move(r));
    }
    if (session.hasRowsToWrite())
        scheduleWrite();
}

void ClassHub::add(SessionRequest request)
{
    if (std::holds_alternative<Send>(request)) {
        m_answers.push_back(std::move(request));
        scheduleWrite();
    } else {
        m_requests.push_back(std::move(request));
    }
}

void ClassHub::scheduleWrite()
{
    if (!m_writeDueMs)
        m_writeDueMs = m_clock.nowMs() + kWriteEveryMs;
}

} // namespace nuperako::pool
