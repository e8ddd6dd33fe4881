#include "send_position.h"

#include "../app/state.h"
#include "send_text.h"

// Window thread only.
struct ListPlace {
    HWND list;         // the list read, NULL when none is
    SendOrder order;   // where the reader stands in it
};
static ListPlace s_send;     // a Send All's
static ListPlace s_export;   // an export's

static int BeginPlace(ListPlace *place, HWND list)
{
    LRESULT count = list ? SendMessageA(list, LB_GETCOUNT, 0, 0) : 0;
    place->list = list;
    StartSendOrder(&place->order, count > 0 ? static_cast<int>(count) : 0);
    return place->order.end;
}

static int TakePlaceIndex(ListPlace *place)
{
    // A new search has replaced the list: the reader ends with the lines it has reached.
    if (!place->list || place->list != g_resultList)
        return -1;
    return TakeSendIndex(&place->order);
}

static void MovePlace(ListPlace *place, HWND list, int index)
{
    if (place->list && list == place->list)
        SendLineRemoved(&place->order, index);
}

int BeginSendPosition(HWND list)
{
    return BeginPlace(&s_send, list);
}

void EndSendPosition()
{
    s_send.list = NULL;
}

void TakeNextSendLine(SendLine *out)
{
    out->taken = false;
    int index = TakePlaceIndex(&s_send);
    LRESULT length = index < 0 ? LB_ERR : SendMessageA(s_send.list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return;
    out->readable = length < kLineBytes;
    out->line[0] = '\0';
    if (out->readable)
        SendMessageA(s_send.list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out->line));
    out->reached = s_send.order.reached;
    out->taken = true;
}

void BeginExportPosition(HWND list)
{
    BeginPlace(&s_export, list);
}

int TakeExportIndex()
{
    return TakePlaceIndex(&s_export);
}

void MovePositionsForRemovedLine(HWND list, int index)
{
    MovePlace(&s_send, list, index);
    MovePlace(&s_export, list, index);
}

bool AskNextSendLine(HWND progressWindow, SendLine *out)
{
    out->taken = false;
    SendMessageA(progressWindow, WM_NEXT_SEND_LINE, 0, reinterpret_cast<LPARAM>(out));
    return out->taken;
}
