#pragma once

#include <QString>

// The messages between the running instance and other processes of the program. The numbers are
// fixed because two processes of possibly different builds exchange them; they also serve as the
// types of the events the program posts to its own windows (all within QEvent's user range).

/// Posted by the launch window to itself: create the application controller.
inline constexpr int WM_HXCREATEAPPLICATION = 15999;
/// Posted by the controller to the launch window once the main window exists.
inline constexpr int WM_HXMAINWINDOWREADY = 16000;
/// Sent by another process: answered with HX_PING_REPLY.
inline constexpr int WM_HXPING = 16001;
/// Sent by another process: answered with the process id (0 while there is no main window yet);
/// posted on to the main window, which quits.
inline constexpr int WM_HXQUIT = 16002;

inline constexpr qint64 HX_PING_REPLY = 1313137;

/// The caption of the launch window, from which the instance channel's name is derived.
inline constexpr char ControlWindowCaption[] = "Varnelo Horalux Invisible Control Window";

/// The full name of the instance channel: a socket named after the caption and the user in the
/// per-user runtime folder (see InstanceRuntimeFolder); empty if there is no such folder.
QString InstanceServerName();
