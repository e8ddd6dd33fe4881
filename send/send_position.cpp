#include "send_position.h"

#include "../app/state.h"
#include "send_text.h"

// Window thread only.
static HWND s_list;         // the list a Send All is sending, NULL when none runs
static SendOrder s_order;   // where it stands in that list

int BeginSendPosition(HWND list)
{
    LRESULT count = list ? SendMessageA(list, LB_GETCOUNT, 0, 0) : 0;
    s_list = list;
    StartSendOrder(&s_order, count > 0 ? static_cast<int>(count) : 0);
    return s_order.end;
}

void EndSendPosition()
{
    s_list = NULL;
}

void TakeNextSendLine(SendLine *out)
{
    out->taken = false;
    // A new search has replaced the list: the send ends with the lines it has reached.
    if (!s_list || s_list != g_resultList)
        return;
    int index = TakeSendIndex(&s_order);
    LRESULT length = index < 0 ? LB_ERR : SendMessageA(s_list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return;
    out->readable = length < kLineBytes;
    out->line[0] = '\0';
    if (out->readable)
        SendMessageA(s_list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out->line));
    out->reached = s_order.reached;
    out->taken = true;
}

void AdjustSendForRemovedLine(HWND list, int index)
{
    if (s_list && list == s_list)
        SendLineRemoved(&s_order, index);
}

bool AskNextSendLine(HWND progressWindow, SendLine *out)
{
    out->taken = false;
    SendMessageA(progressWindow, WM_NEXT_SEND_LINE, 0, reinterpret_cast<LPARAM>(out));
    return out->taken;
}
