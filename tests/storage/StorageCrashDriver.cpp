// Books one entry after another into a storage folder and saves after each, printing the number
// of every booking whose save returned. The crash test kills it at random moments.
//
//   storage_crash_driver FOLDER FIRST
//
// Booking i lies on day 2006-03-01 + i / 2 (the fixed clock stands on that day, so the current
// window moves on every few bookings) from 08:00 + 4 h * (i % 2) for one hour.

#include "foundation/Clock.h"
#include "foundation/DateTime.h"
#include "model/ActivityBooker.h"
#include "model/ActivityLocator.h"
#include "storage/StorageHost.h"
#include "storage/StorageQuestions.h"

#include <QByteArray>
#include <QDateTime>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

double BookingStart(long i) {
    return EncodeDate(2006, 3, 1) + double(i / 2) + (8.0 + 4.0 * double(i % 2)) / 24.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    long i = std::atol(argv[2]);
    auto clock = std::make_shared<FixedClock>(QDateTimeFromDateTime(BookingStart(i)));
    Clock::SetInstance(clock);
    TStorageHost host(folder);
    auto questions = std::make_shared<TNonInteractiveStorageQuestions>();
    ConnectStorageQuestions(host.Notifications(), questions);
    for (;; ++i) {
        const double start = BookingStart(i);
        clock->Set(QDateTimeFromDateTime(start));
        TActivityBooker booker;
        booker.SetFrom(start);
        booker.SetTo(start + OneHour);
        booker.AddItem(std::make_shared<TActivityLocator>(), OneHour);
        try {
            booker.Book(*host.GetStorage());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "booking %ld failed: %s\n", i, e.what());
            return 1;
        }
        if (questions->Asked() || host.GetStorage()->Changed()) {
            std::fprintf(stderr, "booking %ld not saved: %s\n", i, qPrintable(questions->Messages().join(' ')));
            return 1;
        }
        const QByteArray line = QByteArray::number(qlonglong(i)) + '\n';
        if (::write(1, line.constData(), size_t(line.size())) < 0)
            return 1;
    }
}
