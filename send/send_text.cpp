#include "send_text.h"

#include <cstdio>
#include <cstring>

#include "../app/elapsed.h"

static const double kKilo = 1024.0;
static const double kMega = 1048576.0;

void FormatByteAmount(char *out, size_t outBytes, uint64_t bytes)
{
    double v = static_cast<double>(bytes);
    if (bytes < 1024)
        std::snprintf(out, outBytes, "%.2f B", v);
    else if (bytes < 1048576)
        std::snprintf(out, outBytes, "%.2f KB", v / kKilo);
    else
        std::snprintf(out, outBytes, "%.2f MB", v / kMega);
}

void FormatSendStatus(char *out, size_t outBytes, int index, int count, uint64_t size, uint64_t total,
                      uint64_t started, const char *source, const char *target)
{
    char sizeText[40], totalText[40], leftText[40];
    FormatByteAmount(sizeText, sizeof sizeText, size);
    FormatByteAmount(totalText, sizeof totalText, total);
    FormatByteAmount(leftText, sizeof leftText, total > started ? total - started : 0);
    std::snprintf(out, outBytes, "Sending %d of %d (%s Of %s , %s Left)\n From:  %s \n To:  %s", index, count,
                  sizeText, totalText, leftText, source, target);
}

int ProgressPercent(uint64_t transferred, uint64_t fileSize)
{
    if (fileSize == 0 || transferred >= fileSize)
        return 100;
    // Whole numbers: a double quotient such as 29 / 100 * 100 would cut to 28.
    while (transferred > UINT64_MAX / 100) {  // beyond any disk: drop low bits of both
        transferred >>= 1;
        fileSize >>= 1;
    }
    return static_cast<int>(transferred * 100 / fileSize);
}

static uint64_t Less(uint64_t a, uint64_t b)
{
    return a > b ? a - b : 0;
}

bool AdvanceSpeedSample(SpeedSample *sample, long long now, uint64_t copiedBytes, bool singleFile, double *speed)
{
    double clock = static_cast<double>(now);
    if (sample->time < 1)
        sample->time = clock;
    double elapsed = clock - sample->time;
    *speed = elapsed > 0 ? (static_cast<double>(copiedBytes) - sample->bytes) / elapsed : 0;
    // A whole speed of 0 leaves label and sample alone; a clock set back gives no speed either.
    bool through = *speed >= 1.0 && (!singleFile || elapsed >= 2);
    if (through) {
        sample->time = clock;
        sample->bytes = static_cast<double>(copiedBytes);
    }
    return through;
}

// Only the total figures: the stream ones restart with each stream, and a second stream would
// send the percentage back and the speed below 0. started counts this file's data without its
// alternate streams, so the rest of this file is taken from the report alone.
ReportFigures FiguresOfReport(const CopyReport &report, SpeedSample *sample, long long now, bool singleFile,
                              uint64_t listed, uint64_t started)
{
    ReportFigures figures = {ProgressPercent(report.totalDone, report.totalSize), false, 0, 0};
    figures.newSpeed = AdvanceSpeedSample(sample, now, report.totalDone, singleFile, &figures.speed);
    if (figures.newSpeed)
        figures.remaining = Less(report.totalSize, report.totalDone) + (singleFile ? 0 : Less(listed, started));
    return figures;
}

CopyRoom RoomForCopy(uint64_t size, uint64_t freeBytes, const char *fileSystem)
{
    // "FAT" (12 and 16 bits) and "FAT32"; exFAT has no such limit.
    if (std::strncmp(fileSystem, "FAT", 3) == 0 && size > kFatLargestFile)
        return ROOM_FILE_TOO_LARGE;
    return size > freeBytes ? ROOM_DISK_FULL : ROOM_ENOUGH;
}

void FormatSpeedText(char *out, size_t outBytes, double speed, uint64_t remaining)
{
    double quotient = static_cast<double>(remaining) / speed;
    if (quotient > 1e18)  // 1 B/s against exabytes: keep the conversion defined
        quotient = 1e18;
    long long minutes = 0, seconds = 0;
    SplitElapsed(static_cast<long long>(quotient), &minutes, &seconds);
    char timeText[96];
    if (minutes != 0)
        std::snprintf(timeText, sizeof timeText, "Time Remaining: %lld Minute(s) %lld Second(s)", minutes, seconds);
    else
        std::snprintf(timeText, sizeof timeText, "Time Remaining: %lld Second(s)", seconds);
    std::snprintf(out, outBytes, "Speed: %.2f MB/s\n%s", speed / kMega, timeText);
}

bool FormatSendReport(char *out, size_t outBytes, int failed, int reached)
{
    if (outBytes > 0)
        out[0] = '\0';
    if (failed <= 0)
        return false;
    std::snprintf(out, outBytes, "%d of %d file(s) could not be sent.", failed, reached);
    return true;
}

void StartSendOrder(SendOrder *order, int count)
{
    order->next = 0;
    order->end = count > 0 ? count : 0;
    order->reached = 0;
}

int TakeSendIndex(SendOrder *order)
{
    if (order->next >= order->end)
        return -1;
    ++order->reached;
    return order->next++;
}

void SendLineRemoved(SendOrder *order, int index)
{
    if (index < 0)
        return;
    if (index < order->next)
        --order->next;
    if (index < order->end)
        --order->end;
}

static bool CopyJoined(char *out, size_t outBytes, const char *first, const char *second, size_t secondLen)
{
    size_t firstLen = std::strlen(first);
    if (firstLen + secondLen + 1 > outBytes) {
        if (outBytes > 0)
            out[0] = '\0';
        return false;
    }
    std::memmove(out, first, firstLen);
    std::memmove(out + firstLen, second, secondLen);
    out[firstLen + secondLen] = '\0';
    return true;
}

bool TargetOfSource(char *out, size_t outBytes, const char *destination, const char *source, const LeadBytes &code)
{
    const char *slash = LastBackslash(source, code);
    const char *name = slash ? slash + 1 : source;
    return CopyJoined(out, outBytes, destination, name, std::strlen(name));
}

bool DestinationOfFolder(char *out, size_t outBytes, const char *folder, const LeadBytes &code)
{
    const char *last = LastBackslash(folder, code);
    bool hasSlash = last && last[1] == '\0';
    return CopyJoined(out, outBytes, folder, "\\", hasSlash ? 0 : 1);
}
