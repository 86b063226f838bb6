"""The benchmark's table: one row a figure, beside its baseline, with the goal
and whether the figure meets it. A row whose figure could not be measured
says why; the run then fails."""
import statistics


class Row:
    """measure: what is measured; now/baseline: texts; ratio: text;
    goal: text; met: True, False or None (no goal, or the goal cannot be
    judged here); note: why a goal is not judged, shown below the table."""

    def __init__(self, measure, now="—", baseline="—", ratio="—", goal="—", met=None, note=""):
        self.measure, self.now, self.baseline, self.ratio = measure, now, baseline, ratio
        self.goal, self.met, self.note = goal, met, note
        self.failure = ""

    @classmethod
    def failed(cls, measure, goal, reason):
        row = cls(measure, now="not measured", goal=goal)
        row.failure = reason
        return row

    def met_text(self):
        if self.failure:
            return "FAILED"
        if self.met is None:
            return "n/a" + (" (see note)" if self.note else "")
        return "yes" if self.met else "no" + (" (see note)" if self.note else "")


def median(values):
    return statistics.median(values)


def ratio(now, baseline):
    return now / baseline if baseline else float("inf")


def render(rows):
    """The rows as a Markdown table, then the notes and failures, numbered."""
    header = ("Measure", "Now", "Baseline", "Ratio", "Goal", "met?")
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    notes = []
    for row in rows:
        measure = row.measure
        text = row.failure and "measurement failed: " + row.failure or row.note
        if text:
            notes.append(text)
            measure += " [%d]" % len(notes)
        lines.append("| " + " | ".join((measure, row.now, row.baseline, row.ratio, row.goal, row.met_text())) + " |")
    if notes:
        lines.append("")
        lines.extend("[%d] %s" % (number, text) for number, text in enumerate(notes, 1))
    return "\n".join(lines)
