#!/usr/bin/env python3
"""The agenda's iCalendar export read by a real parser (python3-icalendar) and imported by a
real calendar client (khal, into a throwaway configuration).

usage: icalendar_export.py TIDEWELL_CLI EXAMPLE_SCHEDULE WORK_FOLDER
Exit 77 (skipped) when the parser or the client is not installed.
"""
import datetime
import os
import shutil
import subprocess
import sys
import zoneinfo

try:
    import icalendar
except ImportError:
    print("python3-icalendar is missing")
    sys.exit(77)

cli, example, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)
zone = "Europe/Berlin"
env = dict(os.environ, TZ=zone, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
           XDG_DATA_HOME=os.path.join(work, "data"))

# Titles with the characters TEXT escapes, Chinese text, a daily run at 02:30 (skipped by the
# change to summer time, repeated by the change back) and a task that runs every minute.
TITLE_DAILY = "Stretch, drink; water \\ 喝水休息一下，伸展身体"
TITLE_MINUTE = "每分钟 look away; now, again"
text = open(example, encoding="utf-8").read()
text = text.replace("Title = Stretch and drink water", "Title = " + TITLE_DAILY)
text = text.replace("10:30:00\n", "02:30:00\n").replace("10:30:00\r\n", "02:30:00\r\n")
text = text.replace("Title = Look away from the screen", "Title = " + TITLE_MINUTE)
text = text.replace("SchI Repeaint - Quantity = 20", "SchI Repeaint - Quantity = 1")
schedule = os.path.join(work, "schedule.rws")
with open(schedule, "w", encoding="utf-8", newline="") as f:
    f.write(text)


def run(*arguments):
    done = subprocess.run([cli, *arguments], env=env, capture_output=True)
    if done.returncode != 0:
        sys.exit("tidewell-cli %s: %d %s" % (arguments, done.returncode, done.stderr.decode()))
    return done.stdout


def check(begin, end, now, least_runs):
    common = ["agenda", schedule, "--from", begin, "--to", end, "--max-runs", "20000", "--now", now]
    lines = run(*common).decode("utf-8").splitlines()
    data = run(*common, "--ical")
    # Every line ends in CR LF and holds at most 75 octets; no piece starts inside a character.
    assert data.endswith(b"\r\n")
    for line in data.split(b"\r\n")[:-1]:
        assert b"\n" not in line and b"\r" not in line, line
        assert len(line) <= 75, line
        line.decode("utf-8")
    calendar = icalendar.Calendar.from_ical(data)
    events = [c for c in calendar.walk() if c.name == "VEVENT"]
    assert len(events) == len(lines) >= least_runs, (len(events), len(lines))
    uids = [str(e["UID"]) for e in events]
    assert len(set(uids)) == len(uids), "UIDs repeat"
    titles = set()
    tz = zoneinfo.ZoneInfo(zone)
    for event, line in zip(events, lines):
        local, title = line.split("\t", 1)
        assert str(event["SUMMARY"]) == title, (event["SUMMARY"], title)
        titles.add(title)
        start = event.decoded("DTSTART")
        assert start.tzinfo is not None and start.utcoffset() == datetime.timedelta(0), start
        wall = datetime.datetime.strptime(local, "%Y-%m-%d %H:%M:%S")
        # A wall time that occurs twice may be either occurrence; a skipped one is placed as
        # before the change.
        candidates = {wall.replace(tzinfo=tz, fold=f).astimezone(datetime.timezone.utc) for f in (0, 1)}
        assert start in candidates, (line, start, candidates)
        assert "DTSTAMP" in event and str(event["DESCRIPTION"]), line
    assert TITLE_DAILY in titles and TITLE_MINUTE in titles, titles
    # The same runs get the same UIDs on a later export.
    again = icalendar.Calendar.from_ical(run(*common[:-1], "2027-01-01 00:00:00", "--ical"))
    assert [str(e["UID"]) for e in again.walk("VEVENT")] == uids
    return len(events), len(data)


spring = check("2026-03-25 00:00:00", "2026-04-01 23:59:59", "2026-03-20 12:00:00", 10000)
autumn = check("2026-10-24 00:00:00", "2026-10-26 23:59:59", "2026-10-20 12:00:00", 1000)


def import_into_khal(begin, end, now):
    """Imports one export into khal and reads back what khal lists for the day after the change."""
    if shutil.which("khal") is None:
        print("khal is missing")
        sys.exit(77)
    folder = os.path.join(work, "khal")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "calendar"))
    config = os.path.join(folder, "config")
    with open(config, "w", encoding="utf-8") as f:
        f.write("[calendars]\n[[tidewell]]\npath = %s\ntype = calendar\n"
                "[locale]\ntimeformat = %%H:%%M\ndateformat = %%Y-%%m-%%d\nlongdateformat = %%Y-%%m-%%d\n"
                "datetimeformat = %%Y-%%m-%%d %%H:%%M\nlongdatetimeformat = %%Y-%%m-%%d %%H:%%M\n"
                "default_timezone = %s\nlocal_timezone = %s\n[sqlite]\npath = %s\n"
                % (os.path.join(folder, "calendar"), zone, zone, os.path.join(folder, "khal.db")))
    exported = os.path.join(folder, "agenda.ics")
    with open(exported, "wb") as f:
        f.write(run("agenda", schedule, "--from", begin, "--to", end, "--now", now, "--ical"))
    khal = ["khal", "-c", config]
    imported = subprocess.run([*khal, "import", "--batch", "-a", "tidewell", exported], env=env,
                              capture_output=True)
    assert imported.returncode == 0, imported.stderr.decode()
    runs = run("agenda", schedule, "--from", begin, "--to", end, "--now", now).decode("utf-8").splitlines()
    stored = os.listdir(os.path.join(folder, "calendar"))
    assert len(stored) == len(runs), (len(stored), len(runs))
    listed = subprocess.run([*khal, "list", "--format", "{start-time} {title}", "--day-format", "",
                             begin[:10], end[:10]], env=env, capture_output=True)
    assert listed.returncode == 0, listed.stderr.decode()
    shown = listed.stdout.decode("utf-8")
    for local, title in (line.split("\t", 1) for line in runs):
        assert "%s %s" % (local[11:16], title) in shown, (local, title)
    return len(runs)


khal_runs = import_into_khal("2026-10-25 00:00:00", "2026-10-25 23:59:59", "2026-10-20 12:00:00")
print("spring: %d events, %d bytes; autumn: %d events, %d bytes" % (spring + autumn))
print("khal imported %d events" % khal_runs)
