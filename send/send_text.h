// Texts and arithmetic of a send: byte amounts, the status text, the percentage, the speed, the
// time remaining, the report at the end, the position of a send of all lines and the room a copy
// needs. No window here: the send engine, the copy and the progress window call these.
#ifndef SORVANE_SEND_TEXT_H
#define SORVANE_SEND_TEXT_H

#include <cstddef>
#include <cstdint>

#include "../app/ansi_path.h"

enum { kStatusTextBytes = 2400, kSpeedTextBytes = 160, kSendReportBytes = 64 };

// "1023.00 B", "1.00 KB", "3072.00 MB": B below 1024, KB below 1048576, MB from there on.
void FormatByteAmount(char *out, size_t outBytes, uint64_t bytes);

// "Sending 2 of 5 (1.00 KB Of 3.00 MB , 2.50 MB Left)\n From:  src \n To:  dst".
// Left is total - started, or 0 when lines removed meanwhile made the total smaller.
void FormatSendStatus(char *out, size_t outBytes, int index, int count, uint64_t size, uint64_t total,
                      uint64_t started, const char *source, const char *target);

// Whole percent of the current file, cut toward zero; an empty file counts as done.
int ProgressPercent(uint64_t transferred, uint64_t fileSize);

// Where the last speed measure ended. time below 1: none taken yet.
struct SpeedSample {
    double time;    // whole seconds of the clock
    double bytes;   // bytes of the file copied at that time
};

// One progress report against the sample. Returns true when the speed label is to change (the
// gate: a positive whole speed, and for a single file at least 2 s since the sample); the sample
// then moves to now. *speed gets the bytes per second over the interval.
bool AdvanceSpeedSample(SpeedSample *sample, long long now, uint64_t copiedBytes, bool singleFile, double *speed);

// The byte figures of one call of a copy's progress routine. The system calls it for each stream
// of the file (the data, then alternate streams): the stream figures start again at 0 for each,
// the total figures count all streams.
struct CopyReport {
    uint64_t totalSize, totalDone, streamSize, streamDone;
};

// What one report shows.
struct ReportFigures {
    int percent;          // of the current file, all its streams
    bool newSpeed;        // the speed label is to change: speed and remaining are set
    double speed;         // bytes per second since the sample
    uint64_t remaining;   // what the time remaining counts
};

// Reads one report against the sample. A single file's remaining is the rest of it; a send of
// all files adds the listed total less the started bytes (the files not begun), never below 0, as
// lines removed during the send shrink the total.
ReportFigures FiguresOfReport(const CopyReport &report, SpeedSample *sample, long long now, bool singleFile,
                              uint64_t listed, uint64_t started);

// Whether a file fits on the target's volume: freeBytes free to this user there, fileSystem the
// volume's file system name ("" when unknown). FAT and FAT32 hold no file above 4 GiB - 1; that
// is told first, as no freeing of space helps it.
enum CopyRoom { ROOM_ENOUGH, ROOM_DISK_FULL, ROOM_FILE_TOO_LARGE };
const uint64_t kFatLargestFile = 0xFFFFFFFFull;
CopyRoom RoomForCopy(uint64_t size, uint64_t freeBytes, const char *fileSystem);

// "Speed: 1.50 MB/s\nTime Remaining: 1 Minute(s) 1 Second(s)". speed must be positive.
void FormatSpeedText(char *out, size_t outBytes, double speed, uint64_t remaining);

// The report at the end of a send: "N of M file(s) could not be sent.", N the files not copied
// of the M lines the send reached. False (out empty) when N is 0: nothing to report.
bool FormatSendReport(char *out, size_t outBytes, int failed, int reached);

// Where a send of all lines stands among the lines of the list, by index. Lines appended after
// the start lie beyond end and are not sent.
struct SendOrder {
    int next;      // index of the next line to send
    int end;       // one past the last line to send
    int reached;   // lines handed out so far
};
void StartSendOrder(SendOrder *order, int count);
// The index of the next line to send (order->reached then counts it), or -1 at the end.
int TakeSendIndex(SendOrder *order);
// Line index left the list. A line before next was sent or is being copied (that copy goes
// on): the lines after it move up. A line from next on is never reached.
void SendLineRemoved(SendOrder *order, int index);

// Target of a send: the destination folder (ending in a backslash) and the source's name after
// its last backslash. False (out empty) when it does not fit. Both read the paths by the
// characters of the code page whose lead bytes are given.
bool TargetOfSource(char *out, size_t outBytes, const char *destination, const char *source, const LeadBytes &code);
// A chosen folder as a destination: a backslash appended unless it ends in one (a drive root).
bool DestinationOfFolder(char *out, size_t outBytes, const char *folder, const LeadBytes &code);

#endif
