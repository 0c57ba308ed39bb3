// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classhub.h"

#include "pool/samesecret.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <set>
#include <utility>

namespace nuperako::pool {

namespace {

constexpr double kSecondsPerMinute = 60;
constexpr double kSecondsPerHour = 3600;

// An address's allowance in the map, made whole for a new address.
TokenBucket &allowanceOf(std::map<std::string, TokenBucket, std::less<>> &allowances, const std::string &address,
                         double perSecond, double burst)
{
    return allowances.try_emplace(address, perSecond, burst).first->second;
}

// Forgets the addresses whose allowance is whole again: they are as new.
void forgetWhole(std::map<std::string, TokenBucket, std::less<>> &allowances, std::int64_t nowMs)
{
    for (auto it = allowances.begin(); it != allowances.end();)
        it = it->second.isFull(nowMs) ? allowances.erase(it) : std::next(it);
}

} // namespace

ClassHub::Limits ClassHub::Limits::scaled(double factor) const
{
    Limits limits = *this;
    for (std::int64_t *ms : {&limits.joinMs, &limits.pingMs, &limits.silentMs})
        *ms = std::llround(static_cast<double>(*ms) * factor);
    return limits;
}

ClassHub::ClassHub(const WallClock &clock, const Limits &limits, std::string passwordHash)
    : m_clock(clock), m_limits(limits), m_passwordHash(std::move(passwordHash)), m_pingedMs(clock.nowMs())
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
        if (page.classCode != code)
            continue;
        if (page.role == Role::Teacher && !page.closing)
            add(Close{c, protocol::kClassClosed});
        page.classCode.clear();
        page.closing = true;
    }
    m_shown.erase(code);
    m_told.erase(code);
    m_closed.push_back(std::move(it->second));
    m_sessions.erase(it);
}

const ClassSession *ClassHub::openClass(const std::string &code) const
{
    const auto it = m_sessions.find(code);
    return it == m_sessions.end() ? nullptr : it->second.get();
}

void ClassHub::opened(ConnectionId c, const std::string &address)
{
    const std::int64_t now = m_clock.nowMs();
    Page &page = m_pages[c];
    page.address = address;
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
    const bool student = page.role == Role::Student && session != nullptr;
    const bool asking = page.role == Role::Unknown && !page.waitingFor; // for a class, once
    if (const auto *fault = std::get_if<MessageFault>(&message); fault && *fault != MessageFault::UnknownType)
        refuse(c, page, *fault == MessageFault::MalformedJson ? protocol::kMalformedJson : protocol::kMalformedState);
    else if (page.role == Role::Teacher)
        teach(c, page, message);
    else if (const auto *joining = std::get_if<JoinMessage>(&message); joining && asking)
        join(c, page, *joining);
    else if (const auto *opening = std::get_if<OpenMessage>(&message); opening && asking)
        openFor(c, page, *opening);
    else if (const auto *following = std::get_if<FollowMessage>(&message); following && asking)
        follow(c, page, *following);
    else if (const auto *state = std::get_if<StateMessage>(&message); state && student)
        session->offer(c, *state, now);
    else if (const auto *seat = std::get_if<SeatMessage>(&message); seat && student)
        session->rename(c, seat->name);
    else if (const auto *watch = std::get_if<WatchMessage>(&message); watch && student)
        page.watch(watch->watching);
    else
        refuse(c, page, protocol::kUnexpected);
    if (student)
        collect(*session);
}

void ClassHub::join(ConnectionId c, Page &page, const JoinMessage &message)
{
    const auto it = m_sessions.find(message.classCode);
    if (it == m_sessions.end()) {
        // A class not open now (the server has started again, say): the store may keep it.
        // Each such join is a try, so that codes cannot be guessed quickly.
        if (mayTry(c, page))
            waitForLoad(message.classCode, {c, std::nullopt, message.device});
        return;
    }
    ClassSession &session = *it->second;
    if (session.join(c, message.device, m_clock.nowMs())) {
        page.role = Role::Student;
        page.classCode = message.classCode;
        add(Admit{c});
    } else {
        page.closing = true; // the session has refused it
    }
    collect(session);
}

void ClassHub::openFor(ConnectionId c, Page &page, const OpenMessage &message)
{
    if (!m_passwordHash.empty()) {
        if (!mayTry(c, page))
            return;
        if (!sameSecret(message.passwordHash, m_passwordHash)) {
            refuse(c, page, protocol::kWrongPassword);
            return;
        }
    }
    if (!opensOf(page.address).take(m_clock.nowMs())) {
        refuse(c, page, protocol::kOpenedTooMany);
        return;
    }
    if (!roomForAClass()) {
        refuse(c, page, protocol::kTooManyClasses);
        return;
    }
    page.waitingFor = true;
    add(Create{c, {}});
}

void ClassHub::follow(ConnectionId c, Page &page, const FollowMessage &message)
{
    if (!mayTry(c, page))
        return;
    if (const auto it = m_sessions.find(message.classCode); it != m_sessions.end()) {
        if (sameSecret(message.keyHash, it->second->keyHash()))
            becomeTeacher(c, page, message.classCode);
        else
            refuse(c, page, protocol::kWrongKey);
        return;
    }
    // A class of another day: the store may keep it.
    waitForLoad(message.classCode, {c, message.keyHash, {}});
}

void ClassHub::waitForLoad(const std::string &code, Waiting waiting)
{
    m_pages.at(waiting.connection).waitingFor = true;
    std::vector<Waiting> &pages = m_loading[code];
    pages.push_back(std::move(waiting));
    if (pages.size() == 1)
        add(Load{code});
}

void ClassHub::teach(ConnectionId c, Page &page, const PageMessage &message)
{
    ClassSession *session = sessionOf(page);
    const auto *removal = std::get_if<RemoveMessage>(&message);
    const auto *revealing = std::get_if<RevealMessage>(&message);
    const bool newClass = std::holds_alternative<NewClassMessage>(message);
    if (session == nullptr || page.waitingFor || (removal == nullptr && revealing == nullptr && !newClass)) {
        refuse(c, page, protocol::kUnexpected);
    } else if (revealing != nullptr) {
        session->reveal(revealing->revealed);
        collect(*session);
    } else if (removal != nullptr) {
        // A dot the teacher saw may have gone meanwhile: nothing to take out then.
        session->removeExperiment(removal->student, removal->experiment);
        collect(*session);
    } else if (!opensOf(page.address).take(m_clock.nowMs())) {
        refuse(c, page, protocol::kOpenedTooMany);
    } else {
        page.waitingFor = true;
        add(Create{c, page.classCode});
    }
}

void ClassHub::becomeTeacher(ConnectionId c, Page &page, const std::string &code)
{
    if (page.role == Role::Unknown)
        add(Admit{c});
    page.role = Role::Teacher;
    page.classCode = code;
    page.sawClass = false;
    page.waitingFor = false;
}

void ClassHub::created(ConnectionId c, ClassSession session, const std::string &key)
{
    const auto it = m_pages.find(c);
    if (it == m_pages.end() || it->second.closing)
        return; // gone meanwhile: the class stays in the store, its key unsaid
    Page &page = it->second;
    if (page.role == Role::Teacher) {
        const std::string closing = page.classCode;
        page.classCode.clear(); // the teacher goes with the new class, not away with the old
        close(closing);
    }
    const std::string code = open(std::move(session)).code();
    becomeTeacher(c, page, code);
    add(Send{c, OpenedReply{code, key}});
}

void ClassHub::notCreated(ConnectionId c)
{
    if (const auto it = m_pages.find(c); it != m_pages.end() && !it->second.closing)
        refuse(c, it->second, protocol::kNoClassMade);
}

void ClassHub::loaded(const std::string &code, std::optional<ClassSession> session)
{
    const auto waiting = m_loading.extract(code);
    if (waiting.empty())
        return;
    // Its students, and teachers with its key, open it.
    const std::string keyHash = session ? session->keyHash() : std::string();
    const auto matches = [&](const Waiting &w) { return !w.keyHash || sameSecret(*w.keyHash, keyHash); };
    const bool opens = session && std::ranges::any_of(waiting.mapped(), matches) && roomForAClass();
    if (opens)
        open(std::move(*session));
    for (const Waiting &w : waiting.mapped()) {
        const auto it = m_pages.find(w.connection);
        if (it == m_pages.end() || it->second.closing)
            continue;
        Page &page = it->second;
        page.waitingFor = false;
        if (!session)
            refuse(w.connection, page, protocol::kUnknownClass);
        else if (!matches(w))
            refuse(w.connection, page, protocol::kWrongKey);
        else if (!opens)
            refuse(w.connection, page, protocol::kTooManyClasses);
        else if (w.keyHash)
            becomeTeacher(w.connection, page, code);
        else
            join(w.connection, page, JoinMessage{code, w.device});
    }
}

std::optional<protocol::Refusal> ClassHub::mayRead(const std::string &code, const std::string &keyHash,
                                                   const std::string &address)
{
    if (!triesOf(address).take(m_clock.nowMs()))
        return protocol::kTooManyTries;
    const ClassSession *session = openClass(code);
    if (session == nullptr || !sameSecret(keyHash, session->keyHash()))
        return protocol::kWrongKey;
    return std::nullopt;
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
    if (it->second.role == Role::Student) {
        if (ClassSession *session = sessionOf(it->second))
            session->leave(c);
    }
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
        else if (page.role == Role::Unknown && !page.waitingFor && now - page.openedMs >= m_limits.joinMs)
            refuse(c, page, protocol::kJoinFirst);
        else if (pingDue)
            add(Ping{c});
    }
    for (const ConnectionId c : silent)
        drop(c);
    forgetWhole(m_tries, now);
    forgetWhole(m_opens, now);
}

void ClassHub::publish()
{
    const std::int64_t now = m_clock.nowMs();
    struct Watchers {
        std::vector<ConnectionId> all;
        std::vector<ConnectionId> fresh; // new to the class: they hear of it at once
    };
    // A view never overtakes an answer a page is owed: the key of the class it has just opened, say.
    std::set<ConnectionId> owed;
    for (const SessionRequest &answer : m_answers)
        owed.insert(std::get<Send>(answer).to);
    std::map<std::string, Watchers, std::less<>> watching;
    for (const auto &[c, page] : m_pages) {
        const bool teaching = page.role == Role::Teacher && !page.closing && !page.waitingFor;
        if (teaching && sessionOf(page) != nullptr && !owed.contains(c)) {
            Watchers &w = watching[page.classCode];
            w.all.push_back(c);
            if (!page.sawClass)
                w.fresh.push_back(c);
        }
    }
    // A class that changed goes to all its teachers' pages once its interval has passed: a share
    // of the classes at each call, those waiting longest first.
    std::vector<std::pair<std::int64_t, std::string>> due; // when last shown, and the class
    for (const auto &[code, w] : watching) {
        const auto shown = m_shown.find(code);
        if (shown == m_shown.end())
            due.emplace_back(std::numeric_limits<std::int64_t>::min(), code);
        else if (shown->second.changes != m_sessions.at(code)->changes() &&
                 now - shown->second.atMs >= protocol::kViewMs)
            due.emplace_back(shown->second.atMs, code);
    }
    std::ranges::sort(due);
    due.resize(std::min(due.size(), (m_sessions.size() + kPublishSlots - 1) / kPublishSlots));
    for (const auto &[at, code] : due) {
        m_shown[code] = {m_sessions.at(code)->changes(), now};
        watching[code].fresh = std::move(watching[code].all);
    }
    for (auto &[code, w] : watching) {
        if (w.fresh.empty())
            continue;
        m_shown.try_emplace(code, Shown{m_sessions.at(code)->changes(), now});
        for (const ConnectionId c : w.fresh)
            m_pages.at(c).sawClass = true;
        add(Publish{code, std::move(w.fresh)});
    }
    publishOverviews();
}

void ClassHub::publishOverviews()
{
    const std::int64_t now = m_clock.nowMs();
    std::map<std::string, std::vector<ConnectionId>, std::less<>> watching;
    for (const auto &[c, page] : m_pages) {
        if (page.role == Role::Student && page.watching && !page.closing && sessionOf(page) != nullptr)
            watching[page.classCode].push_back(c);
    }
    for (auto &[code, pages] : watching) {
        const ClassSession &session = *m_sessions.at(code);
        // Every watching page hears of a change at most once a second, and a large class's less
        // often: one message for all of them, built once. A hidden class's pages hear only that
        // it is hidden.
        const auto told = m_told.find(code);
        const bool due = told == m_told.end() || told->second.revealed != session.revealed() ||
                         (session.revealed() && told->second.changes != session.changes() &&
                          now - told->second.atMs >= told->second.spacingMs);
        if (due)
            m_told.insert_or_assign(code, Told{session.changes(), now, session.revealed()});
        else // a page that has just opened its window hears at once
            std::erase_if(pages, [this](ConnectionId c) { return m_pages.at(c).sawOverview; });
        if (pages.empty())
            continue;
        for (const ConnectionId c : pages)
            m_pages.at(c).sawOverview = true;
        add(ShowOverview{code, std::move(pages)});
    }
}

bool ClassHub::removeExperiment(const std::string &code, int student, std::int64_t experiment)
{
    const auto it = m_sessions.find(code);
    if (it == m_sessions.end() || !it->second->removeExperiment(student, experiment))
        return false;
    collect(*it->second);
    return true;
}

void ClassHub::reveal(const std::string &code, bool revealed)
{
    if (const auto it = m_sessions.find(code); it != m_sessions.end()) {
        it->second->reveal(revealed);
        collect(*it->second);
    }
}

void ClassHub::overviewSent(const std::string &code, std::size_t bytes)
{
    if (const auto it = m_told.find(code); it != m_told.end()) {
        const auto ms = static_cast<std::int64_t>(bytes) * 1000 / protocol::kOverviewBytesPerSecond;
        it->second.spacingMs = std::max<std::int64_t>(protocol::kOverviewMs, ms);
    }
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

TokenBucket &ClassHub::triesOf(const std::string &address)
{
    return allowanceOf(m_tries, address, protocol::kTriesPerMinute / kSecondsPerMinute, protocol::kTriesPerMinute);
}

TokenBucket &ClassHub::opensOf(const std::string &address)
{
    return allowanceOf(m_opens, address, protocol::kOpensPerHour / kSecondsPerHour, protocol::kOpensPerHour);
}

bool ClassHub::mayTry(ConnectionId c, Page &page)
{
    if (triesOf(page.address).take(m_clock.nowMs()))
        return true;
    refuse(c, page, protocol::kTooManyTries);
    return false;
}

bool ClassHub::roomForAClass()
{
    if (m_sessions.size() < protocol::kMaxOpenClasses)
        return true;
    // A class with no page and no teacher connected leaves: it opens again when its teacher follows it.
    const auto followed = [this](const std::string &code) {
        return std::ranges::any_of(m_pages, [&](const auto &p) { return p.second.classCode == code; });
    };
    const auto idle =
        std::ranges::find_if(m_sessions, [&](const auto &s) { return !s.second->hasPages() && !followed(s.first); });
    if (idle == m_sessions.end())
        return false;
    close(std::string(idle->first));
    return true;
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
