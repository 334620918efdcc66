#!/usr/bin/env python3
"""Writes the seed inputs of ipc_request_fuzz, chat_command_fuzz and host_record_fuzz.

Request seeds: a selector byte, the claimed byte count (16-bit little-endian),
then an IpcMessage block as the movie side builds it. Command seeds: a
selector byte, then the chat line. Record seeds: the event, the byte saying
which pointers aim at the fuzzed regions, the 1024-byte record, the 20-byte
window-message block, the 8-byte message, then the body and service answers.
Run from anywhere; rewrites the three folders.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def block(name, items, capacity=200):
    data = b""
    descriptors = b""
    for kind, payload in items:
        if kind == "s":
            payload = payload + b"\0"
        descriptors += struct.pack("<cII", kind.encode(), len(data), len(payload))
        data += payload
    descriptors = descriptors.ljust(27, b"\0")
    header = name.encode().ljust(20, b"\0") + struct.pack("<III", 0, capacity, len(items))
    return (header + descriptors + data).ljust(capacity, b"\0")


def l(value):
    return ("l", struct.pack("<i", value))


def s(text):
    return ("s", text.encode())


def request_seed(selector, payload, claimed=None):
    claimed = len(payload) if claimed is None else claimed
    return bytes([selector]) + struct.pack("<H", claimed) + payload


REQUESTS = {
    "get_my_id": request_seed(0, block("X2HGetMyId", [])),
    "get_user_name": request_seed(0, block("X2HGetUserName", [l(5)])),
    "get_user_name_embedded_nul": request_seed(0, block("X2HGetUserName", [l(6)])),
    "chat": request_seed(1, block("X2HChat", [s("hello")])),
    "blow_list": request_seed(0, block("X2HBTL_Msg", [l(2), ("b", struct.pack("<ii", 1, 2)),
                                                       s("hi")])),
    "blow_room": request_seed(0, block("X2HBT_Msg", [s("hey")])),
    "script": request_seed(0, block("X2HScr", [s("say hi")])),
    "script_result": request_seed(0, block("X2HScrRL", [s("1+1")])),
    "unknown": request_seed(0, block("X2HNope", [s("x")])),
    "full_block": request_seed(0, block("X2HGetMyId", [l(1), l(2), l(3)])),
    "big_capacity": request_seed(0, block("X2HGetMyId", [], capacity=200)[:24]
                                 + struct.pack("<I", 5000) + block("X2HGetMyId", [])[28:]),
    "oversized_count": request_seed(0, block("X2HChat", [s("x")]), claimed=1500),
    "forward_blow": request_seed(0xC0, b"abcdhello"),
    "forward_name": request_seed(0x41, b"xName"),
}

COMMANDS = {
    "playmovie": b"\x01PlayMovie 'intro' @ 10, 20",
    "playmovie_plain": b"\x00playmovie intro",
    "playmovie_at_in_name": b"\x03playmovie 'x@3' 9",
    "blowall": b"\x00blowall hello",
    "blow": b"\x02BLOW hi",
    "blowfish": b"\x00blowfish",
    "getfile": b"\x00GetFile 'Sound|Bell.WAV'",
    "getfile_present": b"\x01GetFile 'movie|intro'",
    "getfile_empty": b"\x00getfile ",
    "digits": b"\x01playmovie 'a' @99999999999999999999,5",
}


def write(folder, seeds):
    path = os.path.join(HERE, folder)
    os.makedirs(path, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(path, name), "wb") as out:
            out.write(data)


def record_seed(event, aim, words=None, text=b"", block=b"", message=b"", rest=b""):
    record = bytearray(1024)
    for offset, value in (words or {}).items():
        struct.pack_into("<i", record, offset, value)
    record[92:92 + len(text)] = text
    return (bytes([event, aim]) + bytes(record) + block.ljust(20, b"\0") + message.ljust(8, b"\0") + rest)


def code(text):
    return struct.unpack(">i", text.encode())[0]


LOUNGE_WINDOW = 0x100  # the fakes' first window
RECORDS = {
    "playmovie_then_resize": record_seed(6, 0x01 | 0x02 | 0x04 | 0x10 | 0x20, {24: 12},
                                         b"playmovie 'a' @1,2\0", struct.pack("<i", 3),
                                         struct.pack("<II", LOUNGE_WINDOW, 5), b"C:\\a.dir\0"),
    "window_block_other_kind": record_seed(5, 0x02, block=struct.pack("<iiiiI", 1, 0, 0, 0, 0xDEAD0000)),
    "window_block_no_message": record_seed(5, 0x02, block=struct.pack("<i", 3)),
    "blow_body": record_seed(8, 0x09, {32: code("blow"), 36: 7, 40: 9}, rest=b"RbRgpssst\0"),
    "name_changed": record_seed(7, 0x09, {32: code("usrN"), 36: 8, 40: 4}, rest=b"xBob\0"),
    "body_length_past_the_end": record_seed(8, 0x09, {32: code("blow"), 40: 100000}, rest=b"RbRg"),
    "file_arrived": record_seed(9, 0x01, {24: 0, 28: 2}, b"C:\\media\\intro\0"),
    "text_without_nul": record_seed(6, 0x01, {24: 8, 28: 5}, b"w" * (1024 - 92)),
    "getfile_present": record_seed(6, 0x11, {24: 32}, b"GetFile 'movie|intro'\0", rest=b"C:\\intro\0"),
    "user_name_request": record_seed(1, 0x11, rest=b"\x05Guest"),
}

write("ipc_request_fuzz", REQUESTS)
write("chat_command_fuzz", COMMANDS)
write("host_record_fuzz", RECORDS)
