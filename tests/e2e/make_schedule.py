"""Writes a schedule file whose tasks fall due a few seconds from now: a notice and a program
that creates a file. Used by the end-to-end test of the windowed program."""
import datetime
import sys

SETTINGS = """Status = 0
Enabled = true
SndI Notice Sound = false
SndI Type = 0
SndI Duration = 5
SndI Beep Frequency = 2000
SndI Beep Beep = 500
SndI Beep Delay = 500
Randomization Enable = false
Randomization Adjust Valid RP = true
Randomization RP Total Seconds = 1800
Randomization Decided Time = 1
Randomization Final Set = false
Randomization Final Time = 1899-12-30 00:00:00
Randomization Over Time = false
Waiting Quantity = 0
Waiting Unit = 2
SchI Starting Time = 2000-01-01 00:00:00
SchI Have Ending Time = false
SchI Have Next Run Time = false
SchI Have Last Run Time = false
"""


def once_task(number, title, action, due):
    return (f"[Once or Several Times {number}]\nTitle = {title}\n{action}\n{SETTINGS}"
            f"SchI Once or Several Times = {{{{Block}}}}\n<B Start>\n{due}\n<B End>\n\n")


def main(path, seconds, marker):
    due = (datetime.datetime.now() + datetime.timedelta(seconds=int(seconds))).strftime("%Y-%m-%d %H:%M:%S")
    text = ";Verimont Tidewell 2.5 configuration file\n\n[Info]\nInfo = Tidewell Job List\n\n"
    text += once_task(1, "Tea is ready", "TI TaskType = 2\nTI Notice Msg = The tea has steeped.", due)
    text += once_task(2, "Touch a file", f"TI TaskType = 0\nTI Program Path = /usr/bin/touch\nTI Parameter = {marker}", due)
    with open(path, "w", newline="\r\n") as out:
        out.write(text)


if __name__ == "__main__":
    main(*sys.argv[1:4])
